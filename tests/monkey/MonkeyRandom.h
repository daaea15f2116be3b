#pragma once

#include <cstdint>
#include <mutex>
#include <random>
#include <string>
#include <vector>

// The one seeded random stream of a monkey run. Responders may be called
// from worker threads (a job's message box), so every draw is locked.
class MonkeyRandom {
public:
    explicit MonkeyRandom(std::uint64_t seed) : engine(seed) {}

    // Uniform in [0, n); 0 when n is 0.
    std::uint64_t Below(std::uint64_t n)
    {
        std::lock_guard lock(mutex);
        return n == 0 ? 0 : engine() % n;
    }
    // Uniform in [low, high].
    int Between(int low, int high) { return low + int(Below(std::uint64_t(high - low) + 1)); }
    // True with probability percent / 100.
    bool Chance(int percent) { return int(Below(100)) < percent; }

    template <typename T>
    const T& Pick(const std::vector<T>& items)
    {
        return items[Below(items.size())];
    }

private:
    std::mutex mutex;
    std::mt19937_64 engine;
};
