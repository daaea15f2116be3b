#pragma once

#include <cstdint>

// A stopwatch on the high-resolution counter.
class PrecisionTime {
public:
    std::int64_t frequency = 0;
    std::int64_t start = 0;
    std::int64_t end = 0;
    double seconds = 0.0;

    void Start();
    void End();
    // Computes the seconds between Start and End, prints "耗费时间为%2.9f\n"
    // to standard output and shows them in a message box.
    void ShowTime();
    // The seconds ShowTime last computed.
    double GetSecond() const;
};
