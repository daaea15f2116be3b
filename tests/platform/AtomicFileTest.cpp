#include "pixorama/platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

fs::path freshFolder(const char* name)
{
    fs::path dir = fs::temp_directory_path() / (std::string("pix-atomic-") + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::size_t entries(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(AtomicFile, WritesAndReplacesLeavingNoTemporary)
{
    const fs::path dir = freshFolder("replace");
    const fs::path target = dir / "out.raw";
    ASSERT_TRUE(plat::writeFileAtomically(target, std::string("first")));
    ASSERT_TRUE(plat::writeFileAtomically(target, std::string("second!")));
    EXPECT_EQ(slurp(target), "second!");
    EXPECT_EQ(entries(dir), 1u);
    fs::remove_all(dir);
}

TEST(AtomicFile, FailedWriteKeepsOldFileAndRemovesTemporary)
{
    const fs::path dir = freshFolder("fail");
    const fs::path target = dir / "keep.bmp";
    ASSERT_TRUE(plat::writeFileAtomically(target, std::string("good old data")));
    plat::setAtomicWriteLimitForTesting(4);
    const bool written = plat::writeFileAtomically(target, std::string("new data that does not fit"));
    plat::setAtomicWriteLimitForTesting(-1);
    EXPECT_FALSE(written);
    EXPECT_EQ(slurp(target), "good old data");
    EXPECT_EQ(entries(dir), 1u);
    fs::remove_all(dir);
}

TEST(AtomicFile, UncommittedFileIsDiscarded)
{
    const fs::path dir = freshFolder("discard");
    {
        plat::AtomicFile out(dir / "never.txt");
        ASSERT_TRUE(out.ok());
        EXPECT_TRUE(out.write("abc", 3));
        EXPECT_FALSE(out.temporary().empty());
    }
    EXPECT_EQ(entries(dir), 0u);
    fs::remove_all(dir);
}

TEST(AtomicFile, PlantedLinkIsNotFollowedAndLinkedFileStaysIntact)
{
    const fs::path dir = freshFolder("link");
    const fs::path victim = dir / "victim.txt";
    const fs::path target = dir / "out.raw";
    ASSERT_TRUE(plat::writeFileAtomically(victim, std::string("precious")));
    // A link at the old fixed temporary name beside the target.
    fs::create_symlink(victim, dir / "out.raw.part");
    ASSERT_TRUE(plat::writeFileAtomically(target, std::string("result")));
    EXPECT_EQ(slurp(victim), "precious");
    EXPECT_EQ(slurp(target), "result");
    fs::remove_all(dir);
}

TEST(AtomicFile, MissingFolderFailsCleanly)
{
    plat::AtomicFile out(fs::temp_directory_path() / "pix-no-such-folder-xyz" / "a.raw");
    EXPECT_FALSE(out.ok());
    EXPECT_FALSE(out.write("x", 1));
    EXPECT_FALSE(out.commit());
}

TEST(AtomicFile, WhatIsNotAFileIsLeftAloneAndALinkKeepsPointingAtTheWrittenFile)
{
    const fs::path dir = freshFolder("special");
    const fs::path folder = dir / "folder";
    const fs::path fifo = dir / "pipe";
    fs::create_directory(folder);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& target : {folder, fifo}) {
        SCOPED_TRACE(target.string());
        plat::AtomicFile out(target);
        EXPECT_FALSE(out.ok());
        EXPECT_FALSE(out.problem().empty());
        EXPECT_FALSE(out.write("x", 1));
        EXPECT_FALSE(out.commit());
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(entries(dir), 2u);

    // A link: the file it points to is replaced, in that file's folder, and
    // the link stays.
    const fs::path elsewhere = freshFolder("special-real");
    const fs::path real = elsewhere / "notes.srl";
    ASSERT_TRUE(plat::writeFileAtomically(real, std::string("old")));
    const fs::path link = dir / "link.srl";
    fs::create_symlink(real, link);
    ASSERT_TRUE(plat::writeFileAtomically(link, std::string("new")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), real);
    EXPECT_EQ(slurp(real), "new");
    EXPECT_EQ(entries(elsewhere), 1u);
    EXPECT_EQ(entries(dir), 3u);
    // A link to a file not yet there makes that file.
    const fs::path dangling = dir / "later.srl";
    fs::create_symlink(elsewhere / "later.srl", dangling);
    ASSERT_TRUE(plat::writeFileAtomically(dangling, std::string("made")));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(slurp(elsewhere / "later.srl"), "made");
    fs::remove_all(dir);
    fs::remove_all(elsewhere);
}
