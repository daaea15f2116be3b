#include "FileIoTestTools.h"

#include "pixorama/common/OSDIR.h"

#include <gtest/gtest.h>

using namespace fileio_test;

namespace {

TEST(PathList, WriteThenReadGivesTheListBack)
{
    const std::vector<CString> list{L"/数据/投影图像/第一幅.raw", L"/tmp/with space/b.bmp", L"C:\\旧\\路径.tif"};
    const std::string path = homeFile("project.txt");
    ASSERT_TRUE(OSDIR::Write(path.c_str(), list));

    const std::vector<unsigned char> bytes = readBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text, "/数据/投影图像/第一幅.raw\n/tmp/with space/b.bmp\nC:\\旧\\路径.tif\n");

    std::vector<CString> read{L"earlier"};
    ASSERT_TRUE(OSDIR::Read(path.c_str(), read));
    std::vector<CString> expected{L"earlier"};
    expected.insert(expected.end(), list.begin(), list.end());
    EXPECT_EQ(read, expected);
}

TEST(PathList, WriteTruncates)
{
    const std::string path = homeFile("project.txt");
    ASSERT_TRUE(OSDIR::Write(path.c_str(), {L"/a", L"/b", L"/c"}));
    ASSERT_TRUE(OSDIR::Write(path.c_str(), {L"/z"}));
    std::vector<CString> read;
    ASSERT_TRUE(OSDIR::Read(path.c_str(), read));
    EXPECT_EQ(read, std::vector<CString>{L"/z"});
}

TEST(PathList, ReadTrimsBlanksSkipsEmptyLinesAndKeepsLongLines)
{
    const std::string longPath = "/" + std::string(3000, 'p') + ".raw";
    const std::string text = "  /a.raw \r\n\n\t\r\n" + longPath + "\n/last.raw";
    const std::string path = homeFile("hand.txt");
    writeBytes(path, text.data(), text.size());
    std::vector<CString> read;
    ASSERT_TRUE(OSDIR::Read(path.c_str(), read));
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0], L"/a.raw");
    EXPECT_EQ(read[1].size(), longPath.size());
    EXPECT_EQ(read[2], L"/last.raw");
}

TEST(PathList, FailuresAreReported)
{
    std::vector<CString> read{L"kept"};
    EXPECT_FALSE(OSDIR::Read(homeFile("absent.txt").c_str(), read));
    EXPECT_FALSE(OSDIR::Read(TestHome::path().c_str(), read));
    EXPECT_EQ(read, std::vector<CString>{L"kept"});
    EXPECT_FALSE(OSDIR::Write(homeFile("no/such/folder.txt").c_str(), {L"/a"}));
}

} // namespace
