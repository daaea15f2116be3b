#include "DicomLengths.h"

#include <cstring>
#include <string_view>

namespace {

constexpr std::uint32_t undefinedLength = 0xFFFFFFFF;
constexpr std::uint16_t itemGroup = 0xFFFE;
constexpr std::uint16_t item = 0xE000;
constexpr std::uint16_t sequenceEnd = 0xE0DD;

class Walk {
public:
    Walk(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Run(std::size_t at)
    {
        while (at < size_) {
            if (size_ - at < 8)
                return true; // a trailing scrap; the reader refuses it on its own
            if (!Element(at))
                return false;
        }
        return true;
    }

private:
    std::uint16_t U16(std::size_t at) const
    {
        return swap_ ? std::uint16_t(data_[at] << 8 | data_[at + 1]) : std::uint16_t(data_[at] | data_[at + 1] << 8);
    }
    std::uint32_t U32(std::size_t at) const
    {
        const std::uint32_t low = U16(at), high = U16(at + 2);
        return swap_ ? low << 16 | high : high << 16 | low;
    }
    static constexpr const char* shortForms[] = {"AE", "AS", "AT", "CS", "DA", "DS", "DT", "FD", "FL", "IS", "LO",
                                                 "LT", "PN", "SH", "SL", "SS", "ST", "TM", "UI", "UL", "US"};
    static constexpr const char* longForms[] = {"OB", "OD", "OF", "OL", "OV", "OW", "SQ",
                                                "SV", "UC", "UN", "UR", "UT", "UV"};
    static bool OneOf(std::string_view vr, const auto& list)
    {
        for (const char* v : list)
            if (vr == v)
                return true;
        return false;
    }
    std::string_view VrAt(std::size_t at) const { return {reinterpret_cast<const char*>(data_ + at), 2}; }
    bool IsVr(std::size_t at) const { return OneOf(VrAt(at), shortForms) || OneOf(VrAt(at), longForms); }
    static bool LongForm(std::string_view vr) { return OneOf(vr, longForms); }

    // Checks the element at `at` and moves past its header; past its value
    // too unless the value holds elements or items to check in turn.
    bool Element(std::size_t& at)
    {
        // The meta group is always explicit little endian.
        swap_ = false;
        group_ = U16(at);
        if (group_ != 0x0002 && !syntaxRead_)
            StartDataSet(at);
        if (deflated_) {
            at = size_; // nothing more to walk
            return true;
        }
        swap_ = bigEndian_ && group_ != 0x0002;
        group_ = U16(at);
        const std::uint16_t element = U16(at + 2);
        std::uint32_t length = 0;
        std::string_view vr;
        if (group_ == itemGroup) {
            length = U32(at + 4);
            at += 8;
        } else if (group_ == 0x0002 ? MetaExplicit(at) : explicit_) {
            vr = VrAt(at + 4);
            if (LongForm(vr)) {
                if (size_ - at < 12) {
                    at = size_;
                    return true;
                }
                length = U32(at + 8);
                at += 12;
            } else {
                length = U16(at + 6);
                at += 8;
            }
        } else {
            length = U32(at + 4);
            at += 8;
        }
        if (group_ == 0x0002 && element == 0x0010 && length <= size_ - at)
            syntax_ = std::string_view(reinterpret_cast<const char*>(data_ + at), length);
        if (length == undefinedLength) {
            if (group_ == 0x7FE0 && element == 0x0010)
                return Fragments(at);
            if (group_ != itemGroup && !vr.empty() && vr != "SQ")
                at = size_; // a value of another encoding follows: not walked
            return true; // items or elements follow
        }
        if (length > size_ - at)
            return false;
        if (group_ == itemGroup || vr == "SQ" || (vr.empty() && HoldsItems(at, length)))
            return true; // the value is walked element by element
        at += length;
        return true;
    }

    // The meta group is read in the encoding its first element shows.
    bool MetaExplicit(std::size_t at)
    {
        if (metaExplicit_ < 0)
            metaExplicit_ = IsVr(at + 4) ? 1 : 0;
        return metaExplicit_ == 1;
    }

    // A value that starts with an item tag holds a sequence.
    bool HoldsItems(std::size_t at, std::uint32_t length) const
    {
        return length >= 8 && U16(at) == itemGroup && U16(at + 2) == item;
    }

    // Encapsulated pixel data: items of raw bytes up to the sequence end.
    bool Fragments(std::size_t& at)
    {
        while (size_ - at >= 8) {
            const std::uint16_t element = U16(at + 2);
            const std::uint32_t length = U32(at + 4);
            at += 8;
            if (element == sequenceEnd)
                return true;
            if (length > size_ - at)
                return false;
            at += length;
        }
        at = size_;
        return true;
    }

    // The data set after the meta group: its transfer syntax, else what the
    // first element looks like.
    void StartDataSet(std::size_t at)
    {
        syntaxRead_ = true;
        std::string_view uid = syntax_;
        while (!uid.empty() && (uid.back() == '\0' || uid.back() == ' '))
            uid.remove_suffix(1);
        deflated_ = uid == "1.2.840.10008.1.2.1.99";
        if (uid == "1.2.840.10008.1.2")
            explicit_ = false;
        else if (!uid.empty())
            explicit_ = true;
        else
            explicit_ = IsVr(at + 4);
        bigEndian_ = uid == "1.2.840.10008.1.2.2";
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::string_view syntax_;
    std::uint16_t group_ = 0x0002;
    bool syntaxRead_ = false;
    bool explicit_ = true;
    bool bigEndian_ = false;
    int metaExplicit_ = -1; // not yet seen
    bool deflated_ = false;
    bool swap_ = false;
};

} // namespace

bool DicomLengths::FitInFile(const std::uint8_t* data, std::size_t size)
{
    if (size >= 132 && std::memcmp(data + 128, "DICM", 4) == 0)
        return Walk(data, size).Run(132);
    // Without the preamble the reader starts at the first byte when that
    // begins the meta group or the usual first data group.
    if (size >= 8 && data[1] == 0 && (data[0] == 0x02 || data[0] == 0x08))
        return Walk(data, size).Run(0);
    return true;
}
