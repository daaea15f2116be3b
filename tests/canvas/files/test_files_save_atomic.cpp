// Every canvas save replaces a file completely or not at all: a write that
// fails part way (a full disk) leaves the old file byte for byte and no
// temporary behind, and a link planted beside the target is never followed.
#include "test_files_fixture.h"

#include "pixorama/platform/AtomicFile.h"

#include <filesystem>
#include <functional>

namespace {

constexpr int id = 4;

struct SaveKind {
    const char* name;
    const char* file;
    std::function<void()> save;
};

const SaveKind kinds[] = {
    {"raw", "old.raw", [] { gCVSSaveRaw(id); }},
    {"label", "old.raw", [] { gCVSSaveLabel(id); }},
    {"8-bit bitmap", "old.bmp", [] { gCVSSave8bit(id); }},
    {"window picture", "old.bmp", [] { gCVSSaveImaWithOverlap(id); }},
    {"shown picture", "old.bmp", [] { gCVSSaveNowShowIma(id); }},
};

class AtomicSaveTest : public FilesTest {
protected:
    void SetUp() override
    {
        FilesTest::SetUp();
        Window(id, 120, 100);
        ClassData2DIO<float> image = FloatImage(40, 30, [](int x, int y) { return float(x * y); });
        gCVSShowRawFloat(id, image, true, true);
        gCVSOnDraw(id, nullptr);
    }
    void TearDown() override
    {
        plat::setAtomicWriteLimitForTesting(-1);
        FilesTest::TearDown();
    }

    static std::vector<std::filesystem::path> FolderEntries()
    {
        std::vector<std::filesystem::path> entries;
        for (const auto& entry : std::filesystem::directory_iterator(TestHome::path()))
            entries.push_back(entry.path().filename());
        return entries;
    }
};

TEST_F(AtomicSaveTest, AWriteThatFailsHalfWayKeepsTheOldFileAndLeavesNoTemporary)
{
    const std::vector<unsigned char> old{'o', 'l', 'd', 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (const SaveKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const std::wstring path = Path(kind.file);
        WriteFile(path, old);
        Choose(path);
        messages.clear();
        // The disk fills after 100 bytes: every one of these files is longer.
        plat::setAtomicWriteLimitForTesting(100);
        kind.save();
        plat::setAtomicWriteLimitForTesting(-1);
        EXPECT_EQ(ReadFile(path), old);
        EXPECT_EQ(FolderEntries(), std::vector<std::filesystem::path>{kind.file});
        EXPECT_EQ(messages, std::vector<std::wstring>{L"保存图像文件失败！"});

        // With room on the disk the same save replaces the file.
        messages.clear();
        kind.save();
        EXPECT_TRUE(messages.empty());
        EXPECT_GT(ReadFile(path).size(), 100u);
        EXPECT_EQ(FolderEntries(), std::vector<std::filesystem::path>{kind.file});
        std::filesystem::remove(plat::toPath(path));
    }
}

TEST_F(AtomicSaveTest, ALinkPlantedAtThePartialNameIsNotFollowed)
{
    const std::wstring victim = Path("victim.dat");
    WriteFile(victim, {'k', 'e', 'e', 'p'});
    for (const SaveKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const std::wstring path = Path(kind.file);
        const std::filesystem::path planted = plat::toPath(path + L".part");
        std::filesystem::create_symlink(plat::toPath(victim), planted);
        Choose(path);
        kind.save();
        EXPECT_EQ(ReadFile(victim), (std::vector<unsigned char>{'k', 'e', 'e', 'p'}));
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(plat::toPath(path))));
        EXPECT_GT(ReadFile(path).size(), 100u);
        std::filesystem::remove(planted);
        std::filesystem::remove(plat::toPath(path));
    }
}

} // namespace
