#pragma once

#include <type_traits>

// Mirror rules that fold any coordinate into 0..n-1 (n >= 1). Coordinates come
// in as 64 bits so that |INT_MIN| and 2 * n cannot overflow.

// The edge pixel is not repeated: ..., 2, 1, 0, 1, 2, ...
inline int pixMirrorReflect(long long v, int n)
{
    const long long period = 2LL * n;
    long long a = (v < 0 ? -v : v) % period;
    if (a >= n)
        a = period - a - 2;
    return a < 0 ? 0 : (a > n - 1 ? n - 1 : int(a));
}

// The edge pixel is repeated: ..., 1, 0, 0, 1, ...
inline int pixMirrorRepeat(long long v, int n)
{
    const long long period = 2LL * n;
    long long a = (v < 0 ? -v - 1 : v) % period;
    if (a >= n)
        a = period - a - 1;
    return a < 0 ? 0 : (a > n - 1 ? n - 1 : int(a));
}

// 8-bit images repeat the edge; every other element type reflects.
template <typename T>
inline int pixMirrorIndex(long long v, int n)
{
    if constexpr (std::is_same_v<T, unsigned char>)
        return pixMirrorRepeat(v, n);
    else
        return pixMirrorReflect(v, n);
}
