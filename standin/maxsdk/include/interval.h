// A closed span of host time. Both ends at TIME_NegInfinity means empty.
#pragma once

#include "maxheap.h"
#include "maxtypes.h"

class Interval : public MaxHeapOperators {
public:
    Interval(TimeValue s, TimeValue e) : start(s <= e ? s : e), end(s <= e ? e : s) {}
    Interval() { SetEmpty(); }

    void SetEmpty() { start = end = TIME_NegInfinity; }
    void SetInfinite() {
        start = TIME_NegInfinity;
        end = TIME_PosInfinity;
    }
    TimeValue Start() const { return start; }
    TimeValue End() const { return end; }
    int Empty() const { return start == TIME_NegInfinity && end == TIME_NegInfinity; }

    // An empty interval holds no time at all, TIME_NegInfinity included.
    int InInterval(const TimeValue t) const { return !Empty() && t >= start && t <= end; }

    Interval operator&(const Interval i) const {
        Interval both;
        const TimeValue s = start > i.start ? start : i.start;
        const TimeValue e = end < i.end ? end : i.end;
        if (!Empty() && !i.Empty() && s <= e) {
            both.start = s;
            both.end = e;
        }
        return both;
    }
    Interval& operator&=(const Interval i) { return *this = *this & i; }

    int operator==(const Interval& i) const { return start == i.start && end == i.end; }
    int operator!=(const Interval& i) const { return !(*this == i); }

private:
    TimeValue start;
    TimeValue end;
};

#define FOREVER Interval(TIME_NegInfinity, TIME_PosInfinity)
#define NEVER Interval(TIME_NegInfinity, TIME_NegInfinity)
