// Profile lookups parse a file once and read it again only when it changed
// on disk; the read counter is the test hook that shows it.
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"

#include "TestHome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace plat;

namespace {

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(ProfileCache, RepeatedLookupsReadTheFileOnce)
{
    const auto path = TestHome::path() / "big.ini";
    std::string text = "[Main]\n";
    for (int i = 0; i < 5000; ++i)
        text += "key" + std::to_string(i) + "=" + std::to_string(i * 3) + "\n";
    writeText(path, text);
    const std::wstring file = fromPath(path);

    const long long before = profileReadsForTesting();
    for (int i = 0; i < 5000; i += 7)
        ASSERT_EQ(getProfileInt(L"Main", L"KEY" + std::to_wstring(i), -1, file), i * 3);
    EXPECT_EQ(getProfileString(L"main", L"absent", L"none", file), L"none");
    EXPECT_EQ(getProfileString(L"Other", L"key1", L"none", file), L"none");
    EXPECT_EQ(profileReadsForTesting() - before, 1);
}

TEST(ProfileCache, AChangeOnDiskIsSeen)
{
    const auto path = TestHome::path() / "p.ini";
    const std::wstring file = fromPath(path);
    writeText(path, "[S]\nk=1\n");
    EXPECT_EQ(getProfileString(L"S", L"k", L"", file), L"1");

    // Another program rewrites the file in place: a new length...
    writeText(path, "[S]\nk=22\n");
    EXPECT_EQ(getProfileString(L"S", L"k", L"", file), L"22");

    // ... or the same length with a new modification time.
    writeText(path, "[S]\nk=33\n");
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
    EXPECT_EQ(getProfileString(L"S", L"k", L"", file), L"33");

    // Replaced by a new file, as our own writer does.
    ASSERT_TRUE(writeProfileString(L"S", L"k", L"44", file));
    EXPECT_EQ(getProfileString(L"S", L"k", L"", file), L"44");

    // Gone: the defaults again.
    std::filesystem::remove(path);
    EXPECT_EQ(getProfileString(L"S", L"k", L"gone", file), L"gone");
}

TEST(ProfileCache, TheFirstSectionAndKeyOfANameCount)
{
    const auto path = TestHome::path() / "dup.ini";
    writeText(path, "[A]\nk = \"first\"\nk=second\n[a]\nk=third\nonly=here\n[B]\nK='b'\n");
    const std::wstring file = fromPath(path);
    EXPECT_EQ(getProfileString(L"a", L"K", L"", file), L"first");
    EXPECT_EQ(getProfileString(L"A", L"only", L"none", file), L"none");
    EXPECT_EQ(getProfileString(L"b", L"k", L"", file), L"b");
}

} // namespace
