#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

// Truncation toward zero that is defined for every input. Converting a float
// that does not fit the target is undefined behaviour in C++, and pixel
// arithmetic can leave any range: in-range values truncate as usual, larger
// ones saturate and NaN gives 0.

inline std::int64_t pixTruncToInt64(double v)
{
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (v != v)
        return 0;
    if (v >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (v < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

inline int pixTruncToInt(double v)
{
    if (v != v)
        return 0;
    if (v >= 2147483648.0)
        return std::numeric_limits<int>::max();
    if (v <= -2147483649.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// Floating destinations take the value; integer destinations take the low bits
// of the value truncated to 64 bits (integer narrowing is modular in C++20).
template <typename D>
inline D pixConvertTruncated(double v)
{
    if constexpr (std::is_floating_point_v<D>)
        return static_cast<D>(v);
    else
        return static_cast<D>(pixTruncToInt64(v));
}
