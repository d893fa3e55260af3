// Spans of host time.
#include "interval.h"

Interval::Interval(TimeValue s, TimeValue e) : start(s <= e ? s : e), end(s <= e ? e : s) {}

int Interval::InInterval(const TimeValue t) const { return !Empty() && t >= start && t <= end; }

Interval Interval::operator&(const Interval i) const {
    Interval both;
    const TimeValue s = start > i.start ? start : i.start;
    const TimeValue e = end < i.end ? end : i.end;
    if (!Empty() && !i.Empty() && s <= e) {
        both.start = s;
        both.end = e;
    }
    return both;
}
