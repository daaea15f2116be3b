#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat {

// An INI file held as its lines, so that a change rewrites one line and
// leaves every other byte as it was. Names compare case-insensitively;
// the first section of a name is the one that counts, and within it the
// first key. Lines that are neither a section header nor key=value are kept
// and otherwise ignored.
class IniDocument {
public:
    explicit IniDocument(std::string_view bytes = {});

    // The trimmed value of key, without one pair of enclosing quotes.
    std::optional<std::wstring> value(std::wstring_view section, std::wstring_view key) const;
    void setValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // Every value that value() would find, under indexKey(section, key):
    // one lookup per call instead of a walk over the lines.
    using Index = std::unordered_map<std::wstring, std::wstring>;
    Index index() const;
    static std::wstring indexKey(std::wstring_view section, std::wstring_view key);

    std::string bytes() const;

private:
    struct Line {
        std::string text; // without its line break
        std::string eol;  // "\n", "\r\n", "\r" or "" for an unterminated last line
    };

    struct Range {
        std::size_t header = 0; // index of the section header line
        std::size_t end = 0;    // one past its last line
    };

    std::optional<Range> findSection(std::wstring_view section) const;
    std::optional<std::size_t> findKey(const Range& range, std::wstring_view key) const;
    std::string newline() const;

    std::string bom;
    std::vector<Line> lines;
};

} // namespace plat
