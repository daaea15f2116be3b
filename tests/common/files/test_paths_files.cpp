#include "FileIoTestTools.h"

#include "pixorama/common/FileHelpers.h"
#include "pixorama/common/OSDIR.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fileio_test;
namespace fs = std::filesystem;

namespace {

void touch(const fs::path& path, const std::string& content = "x")
{
    fs::create_directories(path.parent_path());
    writeBytes(path.string(), content.data(), content.size());
}

std::string contentOf(const fs::path& path)
{
    const std::vector<unsigned char> b = readBytes(path.string());
    return std::string(b.begin(), b.end());
}

TEST(FileHelpers, SizesAndExistence)
{
    const fs::path file = TestHome::path() / "data.bin";
    touch(file, std::string(1234, 'a'));
    EXPECT_EQ(cFileSize(file.string().c_str()), 1234u);
    EXPECT_EQ(cFileSize(homeFile("absent").c_str()), 0xFFFFFFFFu);
    EXPECT_EQ(cFileSize(TestHome::path().string().c_str()), 0xFFFFFFFFu);

    FILE* f = std::fopen(file.string().c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 10, SEEK_SET);
    EXPECT_EQ(cFileSize(f), 1234u);
    EXPECT_EQ(std::ftell(f), 10);
    std::fclose(f);

    EXPECT_TRUE(cFileExist(file.string().c_str()));
    EXPECT_TRUE(cFileExist(TestHome::path().string().c_str()));
    EXPECT_TRUE(cDirExist(TestHome::path().string().c_str()));
    EXPECT_TRUE(cDirExist(file.string().c_str()));
    EXPECT_FALSE(cFileExist(homeFile("absent").c_str()));
    EXPECT_FALSE(cDirExist(homeFile("absent").c_str()));
}

TEST(FileHelpers, FileListFromPatternHoldsFilesOnlyInNameOrder)
{
    const fs::path dir = TestHome::path() / "seq";
    touch(dir / "b.raw");
    touch(dir / "a.RAW");
    touch(dir / "c.bmp");
    touch(dir / "noext");
    fs::create_directories(dir / "sub.raw");

    std::vector<std::string> names{"stale"};
    EXPECT_TRUE(OSGetFileListFromDir(dir.string() + "/*.raw", names));
    EXPECT_EQ(names, (std::vector<std::string>{"a.RAW", "b.raw"}));

    EXPECT_TRUE(OSGetFileListFromDir(dir.string() + "\\*.*", names));
    EXPECT_EQ(names, (std::vector<std::string>{"a.RAW", "b.raw", "c.bmp", "noext"}));

    EXPECT_TRUE(OSGetFileListFromDir(dir.string() + "/?.bmp", names));
    EXPECT_EQ(names, std::vector<std::string>{"c.bmp"});

    EXPECT_FALSE(OSGetFileListFromDir(dir.string() + "/*.tif", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(OSGetFileListFromDir(homeFile("absent") + "/*.*", names));
}

TEST(FolderWalk, FindFileAppendsMatchesAndRecurses)
{
    const fs::path root = TestHome::path() / "tree";
    touch(root / "a.raw");
    touch(root / "b.txt");
    touch(root / "sub" / "c.raw");
    touch(root / "sub" / "deeper" / "d.RAW");
    touch(root / "zz" / "e.raw");
    fs::create_directories(root / "x.raw");
    const std::wstring base = root.wstring();

    std::vector<CString> found{L"kept"};
    OSDIR::FindFile(base.c_str(), found, false, L"*.raw");
    EXPECT_EQ(found, (std::vector<CString>{L"kept", base + L"/a.raw"}));

    found.clear();
    OSDIR::FindFile(base.c_str(), found, true, L"*.raw");
    EXPECT_EQ(found, (std::vector<CString>{base + L"/a.raw", base + L"/sub/c.raw", base + L"/sub/deeper/d.RAW",
                                           base + L"/zz/e.raw"}));

    found.clear();
    OSDIR::FindFile((base + L"/missing").c_str(), found, true, L"*.*");
    EXPECT_TRUE(found.empty());
}

TEST(FolderWalk, FindFileHasNoPathLengthBound)
{
    fs::path deep = TestHome::path();
    for (int i = 0; i < 6; ++i)
        deep /= std::string(60, char('a' + i));
    touch(deep / "far.raw");
    std::vector<CString> found;
    OSDIR::FindFile(TestHome::path().wstring().c_str(), found, true, L"*.raw");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_GT(found[0].size(), 360u);
    EXPECT_TRUE(fs::exists(fs::path(found[0])));
}

TEST(FolderWalk, DirectoryOperateCopiesTheTreeOverwritingFiles)
{
    const fs::path src = TestHome::path() / "src";
    const fs::path dst = TestHome::path() / "dst";
    touch(src / "one.raw", "first");
    touch(src / "sub" / "two.raw", "second");
    touch(src / "sub" / "inner" / "three.bmp", "third");
    fs::create_directories(src / "empty");
    touch(dst / "one.raw", "old contents");
    touch(dst / "untouched.txt", "keep");

    EXPECT_TRUE(OSDIR::DirectoryOperate(src.wstring() + L"\\*.*", dst.wstring() + L"\\*.*"));
    EXPECT_EQ(contentOf(dst / "one.raw"), "first");
    EXPECT_EQ(contentOf(dst / "sub" / "two.raw"), "second");
    EXPECT_EQ(contentOf(dst / "sub" / "inner" / "three.bmp"), "third");
    EXPECT_TRUE(fs::is_directory(dst / "empty"));
    EXPECT_EQ(contentOf(dst / "untouched.txt"), "keep");
    // The source is left as it was.
    EXPECT_EQ(contentOf(src / "one.raw"), "first");

    EXPECT_FALSE(OSDIR::DirectoryOperate((TestHome::path() / "absent").wstring() + L"/*.*", dst.wstring() + L"/*.*"));
}

TEST(FolderWalk, DirectoryOperateIntoItsOwnSubfolderEnds)
{
    const fs::path src = TestHome::path() / "self";
    touch(src / "a.raw", "a");
    EXPECT_TRUE(OSDIR::DirectoryOperate(src.wstring() + L"/*.*", (src / "copy").wstring() + L"/*.*"));
    EXPECT_EQ(contentOf(src / "copy" / "a.raw"), "a");
    EXPECT_FALSE(fs::exists(src / "copy" / "copy"));
}

TEST(FolderWalk, DirectoryOperateReportsAFailedCopy)
{
    const fs::path src = TestHome::path() / "s";
    const fs::path dst = TestHome::path() / "d";
    touch(src / "a.raw", "a");
    // A folder where the file should go cannot be overwritten by a file.
    fs::create_directories(dst / "a.raw");
    EXPECT_FALSE(OSDIR::DirectoryOperate(src.wstring() + L"/*.*", dst.wstring() + L"/*.*"));
}

TEST(FolderWalk, FolderTests)
{
    const fs::path root = TestHome::path() / "t";
    touch(root / "a.raw");
    fs::create_directories(root / "sub");
    CString rootText = root.wstring();
    CString fileText = (root / "a.raw").wstring();
    EXPECT_TRUE(OSDIR::IsDir(rootText));
    EXPECT_FALSE(OSDIR::IsDir(fileText));
    EXPECT_TRUE(OSDIR::CheckFolderExist(rootText));
    EXPECT_FALSE(OSDIR::CheckFolderExist(fileText));
    EXPECT_TRUE(OSDIR::CheckFolderExist(rootText + L"/su*"));
    EXPECT_FALSE(OSDIR::CheckFolderExist(rootText + L"/a*"));
    EXPECT_FALSE(OSDIR::CheckFolderExist(rootText + L"/q*"));
}

} // namespace
