// A closed span of host time. Both ends at TIME_NegInfinity means empty.
#pragma once

#include "coreexp.h"
#include "maxheap.h"
#include "maxtypes.h"

class Interval : public MaxHeapOperators {
public:
    CoreExport Interval(TimeValue s, TimeValue e);
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
    CoreExport int InInterval(const TimeValue t) const;
    CoreExport Interval operator&(const Interval i) const;
    Interval& operator&=(const Interval i) { return *this = *this & i; }

    int operator==(const Interval& i) const { return start == i.start && end == i.end; }
    bool operator!=(const Interval& i) const { return !(*this == i); }

private:
    TimeValue start;
    TimeValue end;
};

#define FOREVER Interval(TIME_NegInfinity, TIME_PosInfinity)
#define NEVER Interval(TIME_NegInfinity, TIME_NegInfinity)
