#pragma once

// A 2-D point, passed by value. Used with T = int and T = double.
template <typename T>
struct PointTemplateBase {
    T x{};
    T y{};
};
