#pragma once
#include <compare>

// A local wall-clock date and time; fields compare in order, so the default ordering is chronological.
struct DateTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
    auto operator<=>(const DateTime&) const = default;
};

// The clock the fixed-time trigger and the clock display read.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
};
