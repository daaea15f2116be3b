// The writers of this library replace a file completely or not at all: a
// write that fails part way (the disk fills) leaves the old file byte for
// byte and no temporary beside it; a link at a name next to the target is
// never written through.
#include "FileIoTestTools.h"

#include "pixorama/common/BitmapFile.h"
#include "pixorama/common/OSDIR.h"
#include "pixorama/common/PictureFile.h"
#include "pixorama/common/QEVIODisk.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace fileio_test;

namespace {

using Plane = ClassData2DIO<unsigned char>;

Plane ramp(int w, int h)
{
    Plane p;
    p.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.rows[y][x] = static_cast<unsigned char>(x * 3 + y * 5);
    return p;
}

std::vector<std::string> folderEntries()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(TestHome::path()))
        names.push_back(entry.path().filename().string());
    return names;
}

struct Writer {
    const char* name;
    const char* file;
    // True when the writer reported success.
    std::function<bool(const std::string& path)> save;
    // Writes through a file stream on the temporary, which the write limit
    // does not reach: its failures are the stream's state.
    bool streamed = false;
};

bool writeParameters(const std::string& path, bool append)
{
    QEVIODisk io;
    if (append)
        io.OpenWrite(path.c_str());
    else
        io.OpenWriteEmpty(path.c_str());
    for (int i = 0; i < 40; ++i)
        io.WritePara("width", &i, 0);
    io.CloseWrite();
    return !io.writer.fail();
}

std::vector<Writer> writers()
{
    return {
        {"QEVSaveGrayBmp", "a.bmp", [](const std::string& path) {
             Plane g = ramp(33, 21);
             return QEVSaveGrayBmp(path.c_str(), g);
         }},
        {"QEVSaveColorBmp planes", "a.bmp", [](const std::string& path) {
             Plane r = ramp(33, 21), g = ramp(33, 21), b = ramp(33, 21);
             return QEVSaveColorBmp(path.c_str(), &r, &g, &b);
         }},
        {"QEVSaveColorBmp pixels", "a.bmp", [](const std::string& path) {
             ClassData2DIO<tagStructRGBA> image;
             image.SetDim(33, 21);
             return QEVSaveColorBmp(path.c_str(), &image);
         }},
        {"gSaveUcData", "a.bmp", [](const std::string& path) {
             Plane g = ramp(33, 21);
             return gSaveUcData(&g, plat::toWide(path));
         }},
        {"OSDIR::Write", "list.txt", [](const std::string& path) {
             std::vector<CString> list;
             for (int i = 0; i < 40; ++i)
                 list.push_back(L"/data/图像/frame" + std::to_wstring(i) + L".raw");
             return OSDIR::Write(path.c_str(), list);
         }},
        {"QEVIODisk replace", "para.txt", [](const std::string& path) { return writeParameters(path, false); }, true},
        {"QEVIODisk append", "para.txt", [](const std::string& path) { return writeParameters(path, true); }, true},
    };
}

class AtomicSaves : public testing::Test {
protected:
    void TearDown() override { plat::setAtomicWriteLimitForTesting(-1); }

    // A parameter file holding one old line.
    static std::string oldParameterFile()
    {
        const std::string path = homeFile("para.txt");
        writeBytes(path, "old = 1\n", 8);
        return path;
    }
};

TEST_F(AtomicSaves, AWriteThatFailsHalfWayKeepsTheOldFileAndLeavesNoTemporary)
{
    const std::string old = "old contents of the user's file\n";
    for (const Writer& w : writers()) {
        if (w.streamed)
            continue;
        SCOPED_TRACE(w.name);
        const std::string path = homeFile(w.file);
        writeBytes(path, old.data(), old.size());
        plat::setAtomicWriteLimitForTesting(100);
        EXPECT_FALSE(w.save(path));
        plat::setAtomicWriteLimitForTesting(-1);
        const std::vector<unsigned char> kept = readBytes(path);
        EXPECT_EQ(std::string(kept.begin(), kept.end()), old);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{w.file});

        EXPECT_TRUE(w.save(path));
        EXPECT_GT(readBytes(path).size(), 100u);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{w.file});
        std::filesystem::remove(path);
    }
}

TEST_F(AtomicSaves, AppendKeepsTheOldTextInFrontOfTheNew)
{
    const std::string path = oldParameterFile();
    QEVIODisk io;
    io.OpenWrite(path.c_str());
    io.WriteChar("new = 2");
    io.NextLine();
    // Nothing reaches the file before it is complete.
    const std::vector<unsigned char> during = readBytes(path);
    EXPECT_EQ(std::string(during.begin(), during.end()), "old = 1\n");
    io.CloseWrite();
    EXPECT_FALSE(io.writer.fail());
    const std::vector<unsigned char> after = readBytes(path);
    EXPECT_EQ(std::string(after.begin(), after.end()), "old = 1\nnew = 2\n");
}

TEST_F(AtomicSaves, AppendThatCannotCopyTheOldTextKeepsTheFile)
{
    const std::string old(300, 'x');
    const std::string path = homeFile("para.txt");
    writeBytes(path, old.data(), old.size());
    plat::setAtomicWriteLimitForTesting(100);
    QEVIODisk io;
    io.OpenWrite(path.c_str());
    EXPECT_TRUE(io.writer.fail());
    io.WriteChar("new = 2");
    io.CloseWrite();
    plat::setAtomicWriteLimitForTesting(-1);
    const std::vector<unsigned char> kept = readBytes(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), old);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"para.txt"});
}

TEST_F(AtomicSaves, AFailedStreamWriteLeavesTheOldParameterFile)
{
    const std::string path = oldParameterFile();
    QEVIODisk io;
    io.OpenWriteEmpty(path.c_str());
    io.WriteChar("new = 2");
    io.writer.setstate(std::ios::badbit); // as a write error on the device does
    io.CloseWrite();
    EXPECT_TRUE(io.writer.fail());
    const std::vector<unsigned char> kept = readBytes(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "old = 1\n");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"para.txt"});
}

TEST_F(AtomicSaves, ALinkAtTheTargetStaysAndTheFileItNamesIsReplaced)
{
    const std::string linked = homeFile("linked.dat");
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.name);
        writeBytes(linked, "keep", 4);
        const std::string path = homeFile(w.file);
        std::filesystem::create_symlink(linked, path);
        EXPECT_TRUE(w.save(path));
        EXPECT_TRUE(std::filesystem::is_symlink(path));
        EXPECT_NE(readBytes(linked), std::vector<unsigned char>({'k', 'e', 'e', 'p'}));
        std::filesystem::remove(path);
    }
}

} // namespace
