#include "TextNumber.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace parlet {

namespace {

bool isBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

std::size_t skipBlanks(const CString& text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

} // namespace

int LeadingInt(const CString& text)
{
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long magnitude = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > limit)
            magnitude = limit;
    }
    const long long value = negative ? -magnitude : magnitude;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

float LeadingFloat(const CString& text)
{
    // Copy the longest decimal prefix as ASCII: from_chars then parses it
    // without regard to the process locale.
    std::size_t i = skipBlanks(text);
    std::string ascii;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-')
            ascii += '-';
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits)
        ascii += char(text[i]);
    if (i < text.size() && text[i] == L'.') {
        ascii += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits)
            ascii += char(text[i]);
    }
    if (digits == 0)
        return 0.0f;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            exponent += char(text[j++]);
        const std::size_t first = j;
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent += char(text[j]);
        if (j > first)
            ascii += exponent;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too small reads as 0; too large saturates.
        const bool huge = ascii.find('e') == std::string::npos || ascii.find("e-") == std::string::npos;
        if (!huge)
            return 0.0f;
        return ascii.front() == '-' ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    }
    if (error != std::errc())
        return 0.0f;
    const double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return float(largest);
    if (value < -largest)
        return float(-largest);
    return float(value);
}

CString IntText(int value)
{
    return std::to_wstring(value);
}

} // namespace parlet
