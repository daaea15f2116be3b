// The platform's writers (profile keys, pictures) replace a file completely
// or not at all: a write that fails part way leaves the old file byte for
// byte and no temporary beside it.
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Image.h"
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"

#include "TestHome.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

using namespace plat;

namespace {

std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> folderEntries()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(TestHome::path()))
        names.push_back(entry.path().filename().string());
    return names;
}

class PlatformAtomicSaves : public testing::Test {
protected:
    void TearDown() override { setAtomicWriteLimitForTesting(-1); }
};

TEST_F(PlatformAtomicSaves, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    const std::string old = "[Old]\nkey=" + std::string(200, 'v') + "\n";
    const struct {
        const char* name;
        const char* file;
        std::function<bool(const std::filesystem::path&)> save;
    } writers[] = {
        {"writeProfileString", "p.ini",
         [](const std::filesystem::path& p) { return writeProfileString(L"New", L"key", L"value", fromPath(p)); }},
        {"Image::save", "p.bmp",
         [](const std::filesystem::path& p) {
             Image picture;
             return picture.create(40, 30, 24) && picture.save(fromPath(p));
         }},
        {"saveImage", "p.png",
         [](const std::filesystem::path& p) {
             QImage picture(40, 30, QImage::Format_RGB32);
             picture.fill(Qt::red);
             return saveImage(picture, fromPath(p), "PNG");
         }},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.name);
        const auto path = TestHome::path() / w.file;
        std::ofstream(path, std::ios::binary) << old;
        setAtomicWriteLimitForTesting(60);
        EXPECT_FALSE(w.save(path));
        setAtomicWriteLimitForTesting(-1);
        EXPECT_EQ(bytesOf(path), old);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{w.file});

        EXPECT_TRUE(w.save(path));
        EXPECT_NE(bytesOf(path), old);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{w.file});
        std::filesystem::remove(path);
    }
}

} // namespace
