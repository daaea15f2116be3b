#include "BatchOptions.h"

#include "pixorama/common/OSCString.h"
#include "pixorama/common/OSDIR.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace {

bool parseInt(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parseWindow(const std::string& text, DisplayWindow& window)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    try {
        std::size_t used = 0;
        window.left = std::stof(text.substr(0, colon), &used);
        if (used != colon)
            return false;
        window.right = std::stof(text.substr(colon + 1), &used);
        return used == text.size() - colon - 1;
    } catch (const std::exception&) {
        return false;
    }
}

// Options that take a value, and where the value goes.
using Setter = bool (*)(BatchOptions&, const std::string&);

const std::map<std::string, Setter>& valueOptions()
{
    static const std::map<std::string, Setter> options = {
        {"--params", [](BatchOptions& o, const std::string& v) { o.params = plat::toWide(v); return true; }},
        {"--list", [](BatchOptions& o, const std::string& v) { o.lists.push_back(plat::toWide(v)); return true; }},
        {"--glob", [](BatchOptions& o, const std::string& v) { o.globs.push_back(plat::toWide(v)); return true; }},
        {"--left", [](BatchOptions& o, const std::string& v) { o.left = plat::toWide(v); return true; }},
        {"--right", [](BatchOptions& o, const std::string& v) { o.right = plat::toWide(v); return true; }},
        {"--out", [](BatchOptions& o, const std::string& v) { o.out = plat::toWide(v); return true; }},
        {"--regions", [](BatchOptions& o, const std::string& v) { o.regions = plat::toWide(v); return true; }},
        {"--out-dir", [](BatchOptions& o, const std::string& v) { o.outDir = plat::toWide(v); return true; }},
        {"--range", [](BatchOptions& o, const std::string& v) { return o.hasRange = ParseRange(v, o.range); }},
        {"--window", [](BatchOptions& o, const std::string& v) { return o.hasWindow = parseWindow(v, o.window); }},
        {"--row", [](BatchOptions& o, const std::string& v) { return o.hasRow = parseInt(v, o.row); }},
        {"--lang", [](BatchOptions& o, const std::string& v) {
             o.language = plat::toWide(v);
             return plat::parseLanguage(o.language).has_value();
         }},
    };
    return options;
}

} // namespace

bool ParseRange(const std::string& text, IndexRange& range)
{
    IndexRange parsed;
    parsed.step = 0; // not given: the job's own step
    const std::size_t a = text.find(':');
    const std::string first = text.substr(0, a);
    const std::string rest = a == std::string::npos ? std::string() : text.substr(a + 1);
    const std::size_t b = rest.find(':');
    const std::string end = rest.substr(0, b);
    const std::string step = b == std::string::npos ? std::string() : rest.substr(b + 1);
    if ((!first.empty() && !parseInt(first, parsed.first)) || (!end.empty() && !parseInt(end, parsed.end))
        || (!step.empty() && (!parseInt(step, parsed.step) || parsed.step < 1)) || text.empty())
        return false;
    range = parsed;
    return true;
}

BatchOptions ParseBatchOptions(const std::vector<std::string>& args)
{
    BatchOptions o;
    for (std::size_t i = 0; i < args.size() && o.error.empty(); ++i) {
        const std::string& word = args[i];
        if (word == "--help" || word == "-h") {
            o.help = true;
        } else if (const auto found = valueOptions().find(word); found != valueOptions().end()) {
            if (i + 1 >= args.size())
                o.error = BatchText(L"%1 需要一个值", {word});
            else if (!found->second(o, args[++i]))
                o.error = BatchText(L"%1 的值无效：%2", {word, args[i]});
        } else if (word.rfind("--", 0) == 0) {
            o.error = BatchText(L"未知选项 %1", {word});
        } else if (o.command.empty()) {
            o.command = word;
        } else {
            o.files.push_back(plat::toWide(word));
        }
    }
    return o;
}

CString LanguageArgument(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--lang")
            return plat::toWide(args[i + 1]);
    return {};
}

std::string BatchText(const wchar_t* pattern, std::initializer_list<std::string> arguments)
{
    QString text = plat::tr(QString::fromWCharArray(pattern));
    for (const std::string& argument : arguments)
        text = text.arg(QString::fromStdString(argument));
    return text.toStdString();
}

std::vector<CString> ExpandSource(const CString& listOrGlob)
{
    std::vector<CString> files;
    if (listOrGlob.find_first_of(L"*?") == CString::npos) {
        OSDIR::Read(plat::toUtf8(listOrGlob).c_str(), files);
        return files;
    }
    CString dir = OSCString::GetDir(listOrGlob);
    const CString mask = listOrGlob.substr(dir.size());
    if (dir.empty())
        dir = L".";
    else if (dir.size() > 1)
        dir.pop_back();
    OSDIR::FindFile(dir.c_str(), files, false, mask.c_str());
    return files;
}

std::vector<CString> SequenceOf(const BatchOptions& options)
{
    std::vector<CString> files = options.files;
    for (const CString& list : options.lists) {
        const std::vector<CString> more = ExpandSource(list);
        files.insert(files.end(), more.begin(), more.end());
    }
    for (const CString& glob : options.globs) {
        const std::vector<CString> more = ExpandSource(glob.find_first_of(L"*?") == CString::npos ? glob + L"/*" : glob);
        files.insert(files.end(), more.begin(), more.end());
    }
    return files;
}

std::vector<CString> Slice(const std::vector<CString>& files, const IndexRange& range)
{
    std::vector<CString> slice;
    const int end = std::min(int(files.size()), range.end);
    for (int i = std::max(0, range.first); i < end; i += std::max(1, range.step))
        slice.push_back(files[std::size_t(i)]);
    return slice;
}
