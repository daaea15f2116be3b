#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"

#include "TestHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace plat;

namespace {

std::wstring file(const char* name)
{
    return fromPath(TestHome::path() / name);
}

std::string bytesOf(const std::wstring& path)
{
    std::ifstream in(toPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(toPath(path), std::ios::binary) << bytes;
}

} // namespace

TEST(Strings, Utf8RoundTripAndBrokenBytes)
{
    const std::wstring text = L"图像文件格式 ok 😀";
    EXPECT_EQ(toWide(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(L"图"), "\xE5\x9B\xBE");
    // Truncated, overlong and stray bytes each become U+FFFD.
    EXPECT_EQ(toWide("a\xE5\x9B"), L"a\uFFFD\uFFFD");
    EXPECT_EQ(toWide("\xC0\xAF"), L"\uFFFD\uFFFD");
    EXPECT_EQ(toWide("\x80z"), L"\uFFFDz");
    EXPECT_EQ(toWide("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD"); // a surrogate
    EXPECT_EQ(fromPath(toPath(L"/tmp/图像")), L"/tmp/图像");
    EXPECT_EQ(toPath(L"/tmp/图像").native(), "/tmp/\xE5\x9B\xBE\xE5\x83\x8F");
}

TEST(Profile, SectionsAndFilesStayApart)
{
    const std::wstring a = file("a.ini");
    const std::wstring b = file("b.ini");
    ASSERT_TRUE(writeProfileString(L"One", L"Width", L"640", a));
    ASSERT_TRUE(writeProfileString(L"Two", L"Width", L"480", a));
    ASSERT_TRUE(writeProfileString(L"One", L"Width", L"32", b));
    EXPECT_EQ(getProfileString(L"One", L"Width", L"", a), L"640");
    EXPECT_EQ(getProfileString(L"Two", L"Width", L"", a), L"480");
    EXPECT_EQ(getProfileString(L"One", L"Width", L"", b), L"32");
    EXPECT_EQ(getProfileInt(L"Two", L"Width", -1, a), 480);
    EXPECT_EQ(getProfileString(L"Two", L"Width", L"none", b), L"none");
    EXPECT_EQ(bytesOf(a), "[One]\nWidth=640\n\n[Two]\nWidth=480\n");
}

TEST(Profile, MissingFileSectionOrKeyGivesTheDefault)
{
    const std::wstring f = file("d.ini");
    EXPECT_EQ(getProfileString(L"S", L"K", L"dflt", f), L"dflt");
    EXPECT_EQ(getProfileInt(L"S", L"K", 17, f), 17);
    ASSERT_TRUE(writeProfileString(L"S", L"K", L"v", f));
    EXPECT_EQ(getProfileString(L"S", L"Other", L"dflt", f), L"dflt");
    EXPECT_EQ(getProfileString(L"T", L"K", L"dflt", f), L"dflt");
    EXPECT_EQ(getProfileString(L"S", L"K", L"dflt", file("absent.ini")), L"dflt");
}

TEST(Profile, ChineseTextRoundTripsAsUtf8)
{
    const std::wstring f = file("中文.ini");
    ASSERT_TRUE(writeProfileString(L"图像参数", L"名称", L"未命名 图像", f));
    EXPECT_EQ(getProfileString(L"图像参数", L"名称", L"", f), L"未命名 图像");
    EXPECT_EQ(bytesOf(f), toUtf8(L"[图像参数]\n名称=未命名 图像\n"));
}

TEST(Profile, WindowsReadingRules)
{
    const std::wstring f = file("rules.ini");
    writeBytes(f,
               "\xEF\xBB\xBF; comment\r\n"
               "orphan=before any section\r\n"
               "  [ Para ]  \r\n"
               "  Width  =  512  \r\n"
               "Quoted=\"  spaced  \"\r\n"
               "Hex=0x1F\r\n"
               "Neg=-42abc\r\n"
               "Word=abc\r\n"
               "Empty=\r\n"
               "Big=99999999999\r\n"
               "width=second copy\r\n"
               "[para]\r\n"
               "Late=only in the second section\r\n");
    EXPECT_EQ(getProfileString(L"PARA", L"WIDTH", L"", f), L"512");
    EXPECT_EQ(getProfileString(L"Para", L"Quoted", L"", f), L"  spaced  ");
    EXPECT_EQ(getProfileInt(L"Para", L"Hex", 0, f), 31);
    EXPECT_EQ(getProfileInt(L"Para", L"Neg", 0, f), -42);
    EXPECT_EQ(getProfileInt(L"Para", L"Word", 5, f), 0);
    EXPECT_EQ(getProfileInt(L"Para", L"Empty", 5, f), 5);
    EXPECT_EQ(getProfileString(L"Para", L"Empty", L"x", f), L"");
    EXPECT_EQ(getProfileInt(L"Para", L"Big", 0, f), 2147483647);
    EXPECT_EQ(getProfileString(L"", L"orphan", L"no", f), L"no");
    // The first section of a name is the one that counts.
    EXPECT_EQ(getProfileString(L"Para", L"Late", L"no", f), L"no");
}

TEST(Profile, WritingChangesOnlyItsOwnLine)
{
    const std::wstring f = file("keep.ini");
    const std::string before = "; keep me\r\n[A]\r\nx = 1\r\nnot a key\r\n\r\n[B]\r\ny=2";
    writeBytes(f, before);
    ASSERT_TRUE(writeProfileString(L"a", L"X", L"10", f));
    EXPECT_EQ(bytesOf(f), "; keep me\r\n[A]\r\nx=10\r\nnot a key\r\n\r\n[B]\r\ny=2");
    ASSERT_TRUE(writeProfileString(L"A", L"z", L"3", f));
    EXPECT_EQ(bytesOf(f), "; keep me\r\n[A]\r\nx=10\r\nnot a key\r\nz=3\r\n\r\n[B]\r\ny=2");
    ASSERT_TRUE(writeProfileString(L"B", L"w", L"4", f));
    EXPECT_EQ(bytesOf(f), "; keep me\r\n[A]\r\nx=10\r\nnot a key\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n");
    EXPECT_EQ(getProfileString(L"B", L"y", L"", f), L"2");
    // Names are trimmed on the way in, as the file keeps them.
    ASSERT_TRUE(writeProfileString(L" C ", L" k ", L"5", f));
    EXPECT_EQ(getProfileInt(L"C", L"k", 0, f), 5);
    EXPECT_EQ(getProfileInt(L"  C", L"k  ", 0, f), 5);
}

TEST(Profile, RefusesWhatWouldBreakTheFile)
{
    const std::wstring f = file("safe.ini");
    ASSERT_TRUE(writeProfileString(L"S", L"K", L"v", f));
    const std::string before = bytesOf(f);
    EXPECT_FALSE(writeProfileString(L"S", L"K", L"a\n[T]\nK=evil", f));
    EXPECT_FALSE(writeProfileString(L"S", L"a=b", L"v", f));
    EXPECT_FALSE(writeProfileString(L"S", L"", L"v", f));
    EXPECT_FALSE(writeProfileString(L"S", L" [T]", L"v", f));
    EXPECT_FALSE(writeProfileString(L"S", L"  ", L"v", f));
    EXPECT_FALSE(writeProfileString(L"S\n", L"K", L"v", f));
    EXPECT_FALSE(writeProfileString(L"S", L"K", L"v", L""));
    EXPECT_EQ(bytesOf(f), before);
    // A folder where the file should be cannot be written and stays as it is.
    std::filesystem::create_directory(TestHome::path() / "dir.ini");
    EXPECT_FALSE(writeProfileString(L"S", L"K", L"v", file("dir.ini")));
    EXPECT_TRUE(std::filesystem::is_directory(TestHome::path() / "dir.ini"));
}

TEST(Profile, RelativeNamesAreRelativeToTheCurrentFolder)
{
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(TestHome::path());
    const bool written = writeProfileString(L"S", L"K", L"here", L"sub/rel.ini");
    std::filesystem::current_path(saved);
    ASSERT_TRUE(written);
    EXPECT_EQ(getProfileString(L"S", L"K", L"", file("sub/rel.ini")), L"here");
}
