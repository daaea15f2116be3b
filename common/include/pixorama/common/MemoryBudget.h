#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// How much memory this process may still take before the system kills it:
// the machine's available memory, the room left under the memory limit of
// its control group (v1 or v2, any level above it), and the room left in
// its address-space limit (ulimit -v). Code about to allocate for a
// picture asks here first and refuses with Refusal's text.
class MemoryBudget {
public:
    // Bytes still free for this process; a test may force the figure.
    static std::uint64_t Available();
    static void SetAvailableForTesting(std::uint64_t bytes); // 0 lifts it

    // Empty when neededBytes fit in Available(); otherwise
    // "图像需要约 N MB 内存，可用 M MB".
    static std::wstring Refusal(double neededBytes);
    static std::wstring RefusalText(double neededBytes, std::uint64_t availableBytes);

    // The smallest room (limit minus usage) of the control groups named in
    // procSelfCgroup (the text of /proc/self/cgroup) and their ancestors,
    // under the cgroup file system at root; none when no level has a limit.
    static std::optional<std::uint64_t> CgroupRoom(const std::filesystem::path& root,
                                                   const std::string& procSelfCgroup);
};
