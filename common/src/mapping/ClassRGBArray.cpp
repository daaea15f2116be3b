#include "pixorama/common/ClassRGBArray.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>

namespace {

// rand() reduced to 0 .. 32767 whatever RAND_MAX is, keeping its high bits, so
// the channel formulas stay within a byte.
int rand15()
{
    return std::rand() / (RAND_MAX / 32768 + 1);
}

} // namespace

ClassRGBArray::ClassRGBArray(const ClassRGBArray& other) : count(other.count)
{
    if (other.colors && other.count > 0) {
        colors = new ClassRGB[std::size_t(other.count)];
        std::copy(other.colors, other.colors + other.count, colors);
    }
}

ClassRGBArray& ClassRGBArray::operator=(const ClassRGBArray& other)
{
    if (this != &other) {
        ClassRGBArray copy(other);
        std::swap(colors, copy.colors);
        std::swap(count, copy.count);
    }
    return *this;
}

ClassRGBArray::~ClassRGBArray()
{
    delete[] colors;
}

ClassRGB ClassRGBArray::QEVrandom_rgb()
{
    const int r = rand15();
    const int g = rand15();
    const int b = rand15();
    return ClassRGB(int(r * 255.0 / 32768), int((g * 255.0 + 80) / 32768), int((b * 255.0 + 160) / 32768));
}

void ClassRGBArray::GenerateRGBArray(int n)
{
    if (n < 0) {
        delete[] colors;
        colors = nullptr;
        count = 0;
        return;
    }
    if (n == INT_MAX)
        throw std::bad_alloc();
    // The old array stays intact if the new one cannot be had.
    auto* fresh = new ClassRGB[std::size_t(n) + 1];
    for (int i = 0; i <= n; ++i)
        fresh[i] = QEVrandom_rgb();
    delete[] colors;
    colors = fresh;
    count = n + 1;
}
