#include "FileIoTestTools.h"

#include "pixorama/common/QEVIODisk.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fileio_test;

namespace {

std::string textOf(const std::string& path)
{
    const std::vector<unsigned char> b = readBytes(path);
    return std::string(b.begin(), b.end());
}

// Reads a text file with ReadMap into a fresh object.
QEVIODisk readBack(const std::string& path)
{
    QEVIODisk io;
    io.OpenRead(path.c_str());
    io.ReadMap();
    io.CloseRead();
    return io;
}

void writeText(const std::string& path, const std::string& text)
{
    writeBytes(path, text.data(), text.size());
}

TEST(IODisk, IntegerParameterRoundTrip)
{
    const std::string path = homeFile("p.txt");
    QEVIODisk io;
    io.OpenWriteEmpty(path.c_str());
    const int width = 512;
    io.WritePara("width", &width, 0);
    io.CloseWrite();
    EXPECT_EQ(textOf(path), "width = 512\n");

    QEVIODisk in = readBack(path);
    EXPECT_EQ(in.values, (std::map<std::string, std::string>{{"width", "512"}}));
    EXPECT_EQ(in.ReadInt("width"), 512);
    EXPECT_FLOAT_EQ(in.ReadFlt("width"), 512.0f);
}

TEST(IODisk, FloatsUseTheStreamFormatAndKeepTheirPointInTheKey)
{
    const std::string path = homeFile("p.txt");
    QEVIODisk io;
    io.OpenWriteEmpty(path.c_str());
    const float threshold = 0.85f;
    const float tiny = 1e-7f;
    const float third = 1.0f / 3.0f;
    io.WritePara("threshold", &threshold, 1);
    io.WritePara("eps", &tiny, 1);
    io.WritePara("third", &third, 1);
    io.WritePara("ignored", &threshold, 2);
    io.CloseWrite();
    EXPECT_EQ(textOf(path), "threshold = 0.85\neps = 1e-07\nthird = 0.333333\n");

    QEVIODisk in = readBack(path);
    EXPECT_EQ(in.values.at("threshold."), "0.85");
    EXPECT_FLOAT_EQ(in.ReadFlt("threshold."), 0.85f);
    EXPECT_EQ(in.values.at("epse-"), "1-07");
    EXPECT_EQ(in.values.at("third."), "0.333333");
    EXPECT_EQ(in.values.size(), 3u);
}

TEST(IODisk, ReadingRulesStripDigitsFromKeysAndLettersFromValues)
{
    const std::string path = homeFile("p.txt");
    writeText(path, "name = abc\nIma2W = 640\nwidth = 1\nwidth = 2\n\n   \nsod=89\r\n");
    QEVIODisk in = readBack(path);
    EXPECT_EQ(in.values.at("nameabc"), "");
    EXPECT_EQ(in.values.at("ImaW"), "2640");
    EXPECT_EQ(in.values.at("width"), "1");  // the first occurrence wins
    EXPECT_EQ(in.values.at("sod"), "89");
    EXPECT_EQ(in.values.size(), 4u);
    EXPECT_EQ(in.ReadInt("sod"), 89);
    EXPECT_EQ(in.ReadInt("absent"), 0);
    EXPECT_EQ(in.ReadFlt("absent"), 0.0f);
}

TEST(IODisk, LinesLongerThanNinetyNineCharactersReadWhole)
{
    const std::string key(150, 'k');
    const std::string path = homeFile("p.txt");
    writeText(path, key + " = 7\nshort = 3\n" + std::string(300, ' ') + "far = 12\n");
    QEVIODisk in = readBack(path);
    EXPECT_EQ(in.ReadInt(key.c_str()), 7);
    EXPECT_EQ(in.ReadInt("short"), 3);
    EXPECT_EQ(in.ReadInt("far"), 12);
    EXPECT_EQ(in.values.size(), 3u);
}

TEST(IODisk, OpenWriteAppendsAndOpenWriteEmptyTruncates)
{
    const std::string path = homeFile("p.txt");
    writeText(path, "old = 1\n");
    QEVIODisk io;
    io.OpenWrite(path.c_str());
    io.WriteString("a = 2");
    io.NextLine();
    io.WriteChar("b = 3");
    io.NextLine();
    io.CloseWrite();
    EXPECT_EQ(textOf(path), "old = 1\na = 2\nb = 3\n");

    QEVIODisk again;
    again.OpenWriteEmpty(path.c_str());
    again.WriteChar("c = 4");
    again.CloseWrite();
    EXPECT_EQ(textOf(path), "c = 4");
}

TEST(IODisk, FailedOpensOnlySetTheStreamState)
{
    QEVIODisk io;
    io.OpenRead(homeFile("absent.txt").c_str());
    EXPECT_TRUE(io.reader.fail());
    io.ReadMap();
    EXPECT_TRUE(io.values.empty());
    io.OpenWriteEmpty(homeFile("no/folder.txt").c_str());
    EXPECT_TRUE(io.writer.fail());
}

TEST(IODisk, SelfTestWritesReadsAndPrints)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(TestHome::path());
    QEVIODisk io;
    testing::internal::CaptureStdout();
    io.Test();
    const std::string printed = testing::internal::GetCapturedStdout();
    std::filesystem::current_path(before);
    EXPECT_EQ(printed, "height=45\nsod=89\n");
    EXPECT_EQ(textOf(homeFile("IODisk.ini")), "height = 45\nsod = 89\n");
}

} // namespace
