#include "FileIoTestTools.h"

#include "pixorama/common/OSCString.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fileio_test;

namespace {

TEST(PathStrings, WindowsStyleExamples)
{
    EXPECT_EQ(OSCString::GetExt(L"C:\\a\\b.RAW"), L"raw");
    EXPECT_EQ(OSCString::GetName(L"C:\\a\\b.raw", false), L"b");
    EXPECT_EQ(OSCString::GetName(L"C:\\a\\b.raw", true), L"C:\\a\\b");
    EXPECT_EQ(OSCString::ChangeExt(L"C:\\a.b\\c.raw", L"bmp"), L"C:\\a.b\\c.bmp");
    EXPECT_EQ(OSCString::ChangeExt(L"C:\\a\\c", L"bmp"), L"C:\\a\\c.bmp");
    EXPECT_EQ(OSCString::GetDir(L"C:\\a\\b.raw"), L"C:\\a\\");
    EXPECT_EQ(OSCString::GetNextDir(L"C:\\a\\b\\c.raw"), L"C:\\a\\");
}

TEST(PathStrings, PosixPathsSplitTheSameWay)
{
    EXPECT_EQ(OSCString::GetDir(L"/data/scan/img.Tif"), L"/data/scan/");
    EXPECT_EQ(OSCString::GetNextDir(L"/data/scan/img.tif"), L"/data/");
    EXPECT_EQ(OSCString::GetExt(L"/data/scan/img.Tif"), L"tif");
    EXPECT_EQ(OSCString::GetName(L"/data/scan/img.v2.raw", false), L"img.v2");
    EXPECT_EQ(OSCString::ChangeExt(L"/data/scan/img.raw", L"bmp"), L"/data/scan/img.bmp");
    // Mixed separators: the last of either kind counts.
    EXPECT_EQ(OSCString::GetDir(L"/data\\scan/x.raw"), L"/data\\scan/");
    EXPECT_EQ(OSCString::GetDir(L"plain.raw"), L"");
    EXPECT_EQ(OSCString::GetExt(L"/data/图像.RAW"), L"raw");
}

TEST(PathStrings, PathsWithoutAnExtension)
{
    const std::wstring folder = TestHome::path().wstring() + L"/plainfolder";
    std::filesystem::create_directory(TestHome::path() / "plainfolder");
    EXPECT_EQ(OSCString::GetExt(folder), L"notfile");
    EXPECT_EQ(OSCString::GetName(folder, true), L"notfile");
    EXPECT_EQ(OSCString::GetExt(L"/no/such/file"), L"nul");
    EXPECT_EQ(OSCString::GetName(L"/no/such/file", false), L"nul");
    EXPECT_EQ(OSCString::ChangeExt(folder, L"raw"), folder + L".raw");
    // A dot too close to the start is not taken as an extension by GetName.
    EXPECT_EQ(OSCString::GetName(L"a.b", true), L"nul");
    // A dot inside a folder name is no extension of the file.
    EXPECT_EQ(OSCString::GetExt(L"C:\\a.b\\c"), L"nul");
    EXPECT_EQ(OSCString::GetName(L"/x.y/file", true), L"nul");
}

} // namespace
