#include "pixorama/common/MemoryBudget.h"

#include "pixorama/platform/Translation.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

std::atomic<std::uint64_t> forced{0};

constexpr double mebibyte = 1024.0 * 1024.0;

// Limits at or above this mean "no limit" (v1 writes 2^63 rounded to pages).
constexpr std::uint64_t unlimited = std::uint64_t(1) << 60;

std::optional<std::uint64_t> readNumber(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string text;
    if (!(in >> text) || text == "max")
        return std::nullopt;
    try {
        return std::stoull(text);
    } catch (...) {
        return std::nullopt;
    }
}

// MemAvailable of /proc/meminfo in bytes; 0 when unknown.
std::uint64_t systemAvailable()
{
    std::ifstream in("/proc/meminfo");
    std::string key, unit;
    std::uint64_t kb = 0;
    while (in >> key >> kb) {
        std::getline(in, unit);
        if (key == "MemAvailable:")
            return kb * 1024;
    }
    return 0;
}

// Room left in the address-space limit; none when there is no limit.
std::optional<std::uint64_t> addressSpaceRoom()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    statm >> pages;
    const std::uint64_t used = pages * std::uint64_t(sysconf(_SC_PAGESIZE));
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

// Limit minus usage of one group folder; none without a limit.
std::optional<std::uint64_t> groupRoom(const std::filesystem::path& group, const char* limitName,
                                       const char* usageName)
{
    const auto limit = readNumber(group / limitName);
    if (!limit || *limit >= unlimited)
        return std::nullopt;
    const std::uint64_t usage = readNumber(group / usageName).value_or(0);
    return *limit > usage ? *limit - usage : 0;
}

} // namespace

std::optional<std::uint64_t> MemoryBudget::CgroupRoom(const std::filesystem::path& root,
                                                      const std::string& procSelfCgroup)
{
    std::optional<std::uint64_t> room;
    const auto tighten = [&room](std::optional<std::uint64_t> r) {
        if (r)
            room = room ? std::min(*room, *r) : *r;
    };
    std::istringstream lines(procSelfCgroup);
    std::string line;
    while (std::getline(lines, line)) {
        // "hierarchy:controllers:path"
        const auto first = line.find(':');
        const auto second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        std::filesystem::path path = line.substr(second + 1);
        const bool v2 = line.compare(0, first, "0") == 0 && controllers.empty();
        std::istringstream names(controllers);
        std::string name;
        bool memory = false;
        while (std::getline(names, name, ','))
            memory = memory || name == "memory";
        if (!v2 && !memory)
            continue;
        const std::filesystem::path base = v2 ? root : root / "memory";
        const char* limitName = v2 ? "memory.max" : "memory.limit_in_bytes";
        const char* usageName = v2 ? "memory.current" : "memory.usage_in_bytes";
        // From the process's own group up to the hierarchy's root.
        for (std::filesystem::path at = path.relative_path();; at = at.parent_path()) {
            tighten(groupRoom(base / at, limitName, usageName));
            if (at.empty())
                break;
        }
    }
    return room;
}

std::uint64_t MemoryBudget::Available()
{
    if (const std::uint64_t bytes = forced.load())
        return bytes;
    std::uint64_t available = systemAvailable();
    if (available == 0)
        available = std::uint64_t(4) << 30;
    std::ifstream in("/proc/self/cgroup");
    const std::string groups((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (const auto room = CgroupRoom("/sys/fs/cgroup", groups))
        available = std::min(available, *room);
    if (const auto room = addressSpaceRoom())
        available = std::min(available, *room);
    return available;
}

void MemoryBudget::SetAvailableForTesting(std::uint64_t bytes)
{
    forced.store(bytes);
}

std::wstring MemoryBudget::Refusal(double neededBytes)
{
    const std::uint64_t available = Available();
    return neededBytes > double(available) ? RefusalText(neededBytes, available) : std::wstring();
}

std::wstring MemoryBudget::RefusalText(double neededBytes, std::uint64_t availableBytes)
{
    const auto needed = static_cast<long long>(std::ceil(neededBytes / mebibyte));
    const auto available = static_cast<long long>(double(availableBytes) / mebibyte);
    return plat::trArgs(L"图像需要约 %1 MB 内存，可用 %2 MB", {std::to_wstring(needed), std::to_wstring(available)});
}
