#include "TestHome.h"

#include "pixorama/common/MemoryBudget.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

void put(const std::filesystem::path& file, const std::string& text)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

TEST(MemoryBudget, TheTightestControlGroupLevelBounds)
{
    const std::filesystem::path root = TestHome::path() / "cgroups";
    // v1: the job's own group has no limit, its parent leaves 300 bytes.
    put(root / "memory/jobs/memory.limit_in_bytes", "1000");
    put(root / "memory/jobs/memory.usage_in_bytes", "700");
    put(root / "memory/jobs/one/memory.limit_in_bytes", "9223372036854771712");
    put(root / "memory/jobs/one/memory.usage_in_bytes", "650");
    put(root / "memory/memory.limit_in_bytes", "9223372036854771712");
    EXPECT_EQ(MemoryBudget::CgroupRoom(root, "12:pids:/x\n4:cpu,memory:/jobs/one\n"), 300u);
    // Only the groups of the memory controller count.
    EXPECT_EQ(MemoryBudget::CgroupRoom(root, "4:cpu:/jobs/one\n"), std::nullopt);

    // v2: "max" is no limit; a group over its limit has no room.
    put(root / "app/memory.max", "max");
    put(root / "app/memory.current", "5000");
    put(root / "app/task/memory.max", "4096");
    put(root / "app/task/memory.current", "1024");
    EXPECT_EQ(MemoryBudget::CgroupRoom(root, "0::/app/task\n"), 3072u);
    EXPECT_EQ(MemoryBudget::CgroupRoom(root, "0::/app\n"), std::nullopt);
    put(root / "app/task/memory.current", "5000");
    EXPECT_EQ(MemoryBudget::CgroupRoom(root, "0::/app/task\n"), 0u);
}

TEST(MemoryBudget, RefusesWithTheSizesInMegabytes)
{
    EXPECT_EQ(MemoryBudget::RefusalText(800.0 * 1024 * 1024 + 1, std::uint64_t(300) << 20),
              L"图像需要约 801 MB 内存，可用 300 MB");
    MemoryBudget::SetAvailableForTesting(std::uint64_t(64) << 20);
    EXPECT_EQ(MemoryBudget::Refusal(64.0 * 1024 * 1024), L"");
    EXPECT_EQ(MemoryBudget::Refusal(65.0 * 1024 * 1024), L"图像需要约 65 MB 内存，可用 64 MB");
    MemoryBudget::SetAvailableForTesting(0);
}

TEST(MemoryBudget, AnAddressSpaceLimitLeavesOnlyItsRoom)
{
    // In a child, so the limit does not reach the other tests.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::ifstream statm("/proc/self/statm");
        unsigned long long pages = 0;
        statm >> pages;
        const rlim_t used = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
        const rlimit limit{used + (rlim_t(256) << 20), RLIM_INFINITY};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(2);
        const std::uint64_t room = MemoryBudget::Available();
        _exit(room <= (std::uint64_t(256) << 20) && room > (std::uint64_t(200) << 20) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
