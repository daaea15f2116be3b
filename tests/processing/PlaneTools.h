#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/tagQEVParaReport.h"

#include <initializer_list>

// Small pictures given value by value, row after row, and the reports the
// parameter panels send.
template <typename T>
ClassData2DIO<T> PlaneOf(int w, int h, std::initializer_list<int> values)
{
    ClassData2DIO<T> p;
    p.SetDim(w, h);
    auto it = values.begin();
    for (int i = 0; i < w * h && it != values.end(); ++i)
        p.data[i] = static_cast<T>(*it++);
    return p;
}

// A threshold strip's report: its position and the kind of parameter.
inline tagQEVParaReport StripReport(int kind, float value)
{
    tagQEVParaReport r;
    r.words[0] = 1;
    r.SetFloat(7, value);
    r.SetInt(10, kind);
    return r;
}
