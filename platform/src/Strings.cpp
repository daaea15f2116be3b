#include "pixorama/platform/Strings.h"

namespace plat {

namespace {

constexpr char32_t replacement = 0xFFFD;

// Length of the sequence a lead byte announces, 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

// Malformed sequences become U+FFFD, one per offending byte run, so a broken
// file still reads and never reads past its end.
std::wstring toWide(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = sequenceLength(lead);
        if (length == 1) {
            out.push_back(wchar_t(lead));
            ++i;
            continue;
        }
        if (length == 0 || i + length > utf8.size()) {
            out.push_back(wchar_t(replacement));
            ++i;
            continue;
        }
        char32_t code = lead & (0xFF >> (length + 1));
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = code << 6 | (next & 0x3F);
        }
        // Reject overlong forms, surrogates and values past U+10FFFF.
        if (valid && ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF))
                      || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out.push_back(wchar_t(replacement));
            ++i;
            continue;
        }
        out.push_back(wchar_t(code));
        i += length;
    }
    return out;
}

std::string toUtf8(std::wstring_view wide)
{
    std::string out;
    out.reserve(wide.size());
    for (wchar_t w : wide) {
        auto code = static_cast<char32_t>(w);
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            code = replacement;
        if (code < 0x80) {
            out.push_back(char(code));
        } else if (code < 0x800) {
            out.push_back(char(0xC0 | code >> 6));
            out.push_back(char(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(char(0xE0 | code >> 12));
            out.push_back(char(0x80 | (code >> 6 & 0x3F)));
            out.push_back(char(0x80 | (code & 0x3F)));
        } else {
            out.push_back(char(0xF0 | code >> 18));
            out.push_back(char(0x80 | (code >> 12 & 0x3F)));
            out.push_back(char(0x80 | (code >> 6 & 0x3F)));
            out.push_back(char(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

std::filesystem::path toPath(std::wstring_view wide)
{
    return std::filesystem::path(toUtf8(wide));
}

std::wstring fromPath(const std::filesystem::path& path)
{
    return toWide(path.native());
}

} // namespace plat
