#include "IniDocument.h"

#include "pixorama/platform/Strings.h"

#include <QChar>

#include <initializer_list>
#include <unordered_set>

namespace plat {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view utf8, std::wstring_view name)
{
    const std::wstring wide = toWide(utf8);
    if (wide.size() != name.size())
        return false;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == name[i])
            continue;
        if (QChar::toCaseFolded(char32_t(wide[i])) != QChar::toCaseFolded(char32_t(name[i])))
            return false;
    }
    return true;
}

// The name of a "[name]" line; the last ']' closes it, as names may hold one.
std::optional<std::string_view> sectionName(std::string_view text)
{
    text = trim(text);
    if (text.size() < 2 || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.rfind(']');
    if (close == 0)
        return std::nullopt;
    return trim(text.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyValue{trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

std::wstring folded(std::wstring_view name)
{
    std::wstring out(name);
    for (wchar_t& c : out)
        c = wchar_t(QChar::toCaseFolded(char32_t(c)));
    return out;
}

// The value without one pair of enclosing quotes.
std::wstring unquoted(std::string_view found)
{
    if (found.size() >= 2 && (found.front() == '"' || found.front() == '\'') && found.back() == found.front())
        found = found.substr(1, found.size() - 2);
    return toWide(found);
}

// Appends instead of chaining operator+, which GCC 12 misreads as overlapping copies.
std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (std::string_view part : parts)
        out += part;
    return out;
}

} // namespace

IniDocument::IniDocument(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bom = bytes.substr(0, 3);
        bytes.remove_prefix(3);
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines.push_back({std::string(bytes.substr(start)), {}});
            break;
        }
        std::size_t next = stop + 1;
        if (bytes[stop] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        lines.push_back({std::string(bytes.substr(start, stop - start)), std::string(bytes.substr(stop, next - stop))});
        start = next;
    }
}

std::optional<IniDocument::Range> IniDocument::findSection(std::wstring_view section) const
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i].text);
        if (!name || !sameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end].text))
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const Range& range, std::wstring_view key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto entry = keyValue(lines[i].text);
        if (entry && sameName(entry->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::wstring> IniDocument::value(std::wstring_view section, std::wstring_view key) const
{
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    const auto index = findKey(*range, key);
    if (!index)
        return std::nullopt;
    return unquoted(keyValue(lines[*index].text)->value);
}

IniDocument::Index IniDocument::index() const
{
    Index out;
    std::unordered_set<std::wstring> seenSections;
    std::optional<std::wstring> current; // folded name of a section that counts
    for (const Line& line : lines) {
        if (const auto name = sectionName(line.text)) {
            std::wstring section = folded(toWide(*name));
            current.reset();
            if (seenSections.insert(section).second)
                current = std::move(section);
            continue;
        }
        const auto entry = keyValue(line.text);
        if (current && entry)
            out.emplace(indexKey(*current, folded(toWide(entry->key))), unquoted(entry->value));
    }
    return out;
}

std::wstring IniDocument::indexKey(std::wstring_view section, std::wstring_view key)
{
    std::wstring joinedKey = folded(section);
    joinedKey += L'\n'; // never part of a name read from a line
    joinedKey += folded(key);
    return joinedKey;
}

std::string IniDocument::newline() const
{
    for (const Line& line : lines) {
        if (!line.eol.empty())
            return line.eol;
    }
    return "\n";
}

void IniDocument::setValue(std::wstring_view section, std::wstring_view key, std::wstring_view value)
{
    const std::string eol = newline();
    const std::string utf8Value = toUtf8(value);
    const auto range = findSection(section);
    if (!range) {
        if (!lines.empty() && lines.back().eol.empty())
            lines.back().eol = eol;
        if (!lines.empty() && !trim(lines.back().text).empty())
            lines.push_back({{}, eol});
        lines.push_back({joined({"[", toUtf8(section), "]"}), eol});
        lines.push_back({joined({toUtf8(key), "=", utf8Value}), eol});
        return;
    }
    if (const auto index = findKey(*range, key)) {
        Line& line = lines[*index];
        line.text = joined({keyValue(line.text)->key, "=", utf8Value});
        return;
    }
    // After the section's last non-blank line, so blank separators stay last.
    std::size_t at = range->end;
    while (at > range->header + 1 && trim(lines[at - 1].text).empty())
        --at;
    if (lines[at - 1].eol.empty())
        lines[at - 1].eol = eol;
    lines.insert(lines.begin() + std::ptrdiff_t(at), Line{joined({toUtf8(key), "=", utf8Value}), eol});
}

std::string IniDocument::bytes() const
{
    std::string out = bom;
    for (const Line& line : lines)
        out += line.text + line.eol;
    return out;
}

} // namespace plat
