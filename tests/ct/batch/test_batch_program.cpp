// pixorama-batch end to end on small files: every subcommand, slices with
// --range, parameter files, help and failures.
#include "CtTestTools.h"

#include "pixorama/platform/System.h"
#include "pixorama/workbench/BatchProgram.h"

#include <cstdlib>
#include <sstream>

using namespace cttest;

namespace {

class BatchProgramTest : public testing::Test {
protected:
    int Run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        return RunBatchProgram(args, out, err);
    }

    std::string Params(const std::string& text)
    {
        const auto path = Dir() / "params.ini";
        WriteBytes(path, text);
        return path.string();
    }

    // n unsigned 16-bit files of 4 x 3, file i holding 100 i + 10 row + column.
    std::vector<std::string> Frames(int n, const std::string& folder = "seq")
    {
        std::vector<std::string> files;
        for (int i = 0; i < n; ++i) {
            std::vector<std::uint16_t> v;
            for (int p = 0; p < 12; ++p)
                v.push_back(std::uint16_t(100 * i + 10 * (p / 4) + p % 4));
            const auto path = Dir(folder) / Numbered("f", i, ".raw");
            WriteRaw(path, v);
            files.push_back(path.string());
        }
        return files;
    }

    static std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more)
    {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    std::ostringstream out;
    std::ostringstream err;
};

const char* const loadSection = "[ImaLoad]\nInImaW=4\nInImaH=3\nInImaPixelType=0\nbLittleEndian=true\n";

TEST_F(BatchProgramTest, AverageWritesTheMeanOfTheSliceAsFloats)
{
    const auto files = Frames(5);
    const std::string params = Params(loadSection);
    const auto mean = Dir() / "mean.raw";
    ASSERT_EQ(Run(With({"average", "--params", params, "--out", mean.string(), "--range", "1:5:2"}, files)), 0)
        << err.str();
    // Files 1 and 3.
    const auto values = ReadRawValues<float>(mean);
    ASSERT_EQ(values.size(), 12u);
    EXPECT_EQ(values[0], 200.0f);
    EXPECT_EQ(values[11], 223.0f);
}

TEST_F(BatchProgramTest, AHandWrittenFileWithoutByteOrderReadsInTheMachinesOrder)
{
    const auto first = Dir() / "a.raw";
    const auto second = Dir() / "b.raw";
    WriteRaw(first, std::vector<std::uint16_t>{4, 8});
    WriteRaw(second, std::vector<std::uint16_t>{6, 10});
    const std::string params = Params("[ImaLoad]\nInImaW=2\nInImaH=1\nInImaPixelType=0\n");
    const auto mean = Dir() / "mean.raw";
    ASSERT_EQ(Run({"average", "--params", params, "--out", mean.string(), first.string(), second.string()}), 0)
        << err.str();
    EXPECT_EQ(ReadRawValues<float>(mean), (std::vector<float>{5.0f, 9.0f}));
}

TEST_F(BatchProgramTest, CutTakesTheRectangleFromTheSameParameterFile)
{
    const auto files = Frames(3);
    const std::string params =
        Params(std::string(loadSection) + "[ImaROIRect]\nm_RectLeft=2\nm_RectRight=3\nm_RectTop=2\nm_RectBottom=2\n");
    ASSERT_EQ(Run(With({"cut", "--params", params, "--range", "1:"}, files)), 0) << err.str();
    EXPECT_FALSE(std::filesystem::exists(Dir("seq") / "10000.raw"));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir("seq") / "10001.raw"), (std::vector<std::uint16_t>{122, 123}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir("seq") / "10002.raw"), (std::vector<std::uint16_t>{222, 223}));
}

TEST_F(BatchProgramTest, ConvertReadsTheDialogsOwnFileAndTakesTheSequenceFromAList)
{
    const auto files = Frames(6);
    // The file the format dialog writes, in this test's home.
    const auto folder = plat::writableFolder() / "ImaPInitPara";
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "ImaFormat.ini",
               "[ImaFormat]\nInImaW=4\nInImaH=3\nInImaPixelType=0\nbLittleEndian=true\nOutImaW=2\nOutImaH=1\n"
               "OutImaPixelType=1\nOutImaStep=2\nbUseMapRange=false\nOutDir=" + Dir("out").string() + "\n");
    std::string list;
    for (const auto& f : files)
        list += f + "\n";
    WriteBytes(Dir() / "run.srl", list);
    ASSERT_EQ(Run({"convert", "--list", (Dir() / "run.srl").string(), "--range", "2:6"}), 0) << err.str();
    EXPECT_EQ(Names(Dir("out")), (std::vector<std::string>{"FLT_10001.raw", "FLT_10002.raw"}));
    EXPECT_EQ(ReadRawValues<float>(Dir("out") / "FLT_10002.raw"), (std::vector<float>{400, 402}));
}

TEST_F(BatchProgramTest, ConvertGlobAndOutDirOption)
{
    Frames(3);
    const std::string params = Params(
        "[ImaFormat]\nInImaW=4\nInImaH=3\nInImaPixelType=0\nbLittleEndian=true\nOutImaW=4\nOutImaH=3\n"
        "OutImaPixelType=2\nOutImaIPType=0\nOutImaStep=1\nbUseMapRange=false\nOutDir=NULL\n");
    const auto dir = Dir("bmp");
    ASSERT_EQ(Run({"convert", "--params", params, "--glob", (Dir("seq") / "*.raw").string(), "--out-dir", dir.string(),
                   "--window", "0:0.5"}),
              0)
        << err.str();
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"DISLUTMAP__10000.bmp", "DISLUTMAP__10001.bmp",
                                                    "DISLUTMAP__10002.bmp"}));
}

TEST_F(BatchProgramTest, StitchSplitsTheAcquisitionWithRange)
{
    std::string left, right;
    for (int k = 0; k < 5; ++k) {
        WriteRaw(Dir("pairs") / Numbered("l", k, ".raw"), std::vector<float>(4, float(k)));
        left += (Dir("pairs") / Numbered("l", k, ".raw")).string() + "\n";
        WriteRaw(Dir("pairs") / Numbered("r", k, ".raw"), std::vector<float>(4, float(10 + k)));
        right += (Dir("pairs") / Numbered("r", k, ".raw")).string() + "\n";
    }
    WriteBytes(Dir() / "left.lst", left);
    WriteBytes(Dir() / "right.lst", right);
    const std::string params = Params(
        "[ImaPair]\nImaOneW=2\nImaOneH=2\nImaTwoW=2\nImaTwoH=2\nImaThreeW=4\nImaThreeH=2\nInImaPixelType=1\n"
        "OutImaPixelType=1\nStorageFileStartNum=100\nInputFileStartIndex=0\nInputFileEndIndex=1000\n"
        "InputFileStep=1\nbUseCalib=false\nm_SaveDir=" + Dir("stitched").string() + "\n");
    // Two machines share the five pairs.
    ASSERT_EQ(Run({"stitch", "--params", params, "--left", (Dir() / "left.lst").string(), "--right",
                   (Dir() / "right.lst").string(), "--range", "0:3"}),
              0)
        << err.str();
    ASSERT_EQ(Run({"stitch", "--params", params, "--left", (Dir("pairs") / "l*.raw").string(), "--right",
                   (Dir("pairs") / "r*.raw").string(), "--range", "3:5"}),
              0)
        << err.str();
    EXPECT_EQ(Names(Dir("stitched")),
              (std::vector<std::string>{"  100.raw", "  101.raw", "  102.raw", "  103.raw", "  104.raw"}));
    EXPECT_EQ(ReadRawValues<float>(Dir("stitched") / "  103.raw"), (std::vector<float>{3, 3, 13, 13, 3, 3, 13, 13}));
    EXPECT_NE(err.str().find("拼接完成"), std::string::npos);
}

TEST_F(BatchProgramTest, SinogramWritesOneRowPerFile)
{
    const auto files = Frames(4);
    const std::string params = Params("[ImaRowDataPara]\nm_width=4\nm_height=3\nm_PixelType=0\nm_RowIndex=1\n");
    const auto out = Dir() / "sino.raw";
    ASSERT_EQ(Run(With({"sinogram", "--params", params, "--out", out.string(), "--row", "2", "--range", ":3"}, files)),
              0)
        << err.str();
    EXPECT_EQ(ReadRawValues<float>(out),
              (std::vector<float>{20, 21, 22, 23, 120, 121, 122, 123, 220, 221, 222, 223}));
}

TEST_F(BatchProgramTest, FailuresExitNonZeroWithAOneLineReason)
{
    const auto files = Frames(2);
    EXPECT_EQ(Run({"average", "--params", (Dir() / "none.ini").string(), "--out", "x.raw"}), 1);
    EXPECT_NE(err.str().find("failed: 参数文件不存在"), std::string::npos) << err.str();

    const std::string params = Params(loadSection);
    std::filesystem::remove(files[1]);
    EXPECT_EQ(Run(With({"average", "--params", params, "--out", (Dir() / "m.raw").string()}, files)), 1);
    EXPECT_NE(err.str().find("failed: 以下文件未能读取，未计入平均："), std::string::npos) << err.str();
    // The mean of what could be read is written all the same.
    EXPECT_EQ(ReadRawValues<float>(Dir() / "m.raw")[0], 0.0f);
    EXPECT_EQ(Run(With({"average", "--params", params, "--out", (Dir() / "m.raw").string()}, {files[0]})), 1);
    EXPECT_NE(err.str().find("failed: 没有两个以上的图像"), std::string::npos) << err.str();

    EXPECT_EQ(Run({"frobnicate"}), 2);
    EXPECT_EQ(Run({"cut", "--range", "1:2:0"}), 2);
    EXPECT_NE(err.str().find("--range 的值无效：1:2:0"), std::string::npos);
    EXPECT_EQ(Run({"cut", "--lang", "en", "--range", "1:2:0"}), 2);
    EXPECT_NE(err.str().find("bad value for --range: 1:2:0"), std::string::npos);
    EXPECT_EQ(Run({"sinogram", "--bogus"}), 2);
    // The last line is the reason.
    const std::string reason = err.str();
    EXPECT_EQ(std::count(reason.begin(), reason.end(), '\n'), 1);
}

TEST_F(BatchProgramTest, HelpForTheProgramAndEachCommand)
{
    EXPECT_EQ(Run({"--help"}), 0);
    for (const char* command : {"average", "cut", "convert", "stitch", "sinogram", "reconstruct"}) {
        EXPECT_NE(out.str().find(command), std::string::npos);
    }
    for (const char* command : {"average", "cut", "convert", "stitch", "sinogram", "reconstruct"}) {
        EXPECT_EQ(Run({command, "--help"}), 0);
        EXPECT_EQ(out.str().rfind(std::string("pixorama-batch ") + command, 0), 0u) << out.str();
        EXPECT_NE(out.str().find("--range START:END:STEP"), std::string::npos);
    }
}

TEST_F(BatchProgramTest, InstalledProgramRunsWithoutADisplay)
{
    const auto program = plat::programFolder() / "pixorama-batch";
    ASSERT_TRUE(std::filesystem::exists(program));
    const auto files = Frames(2);
    const std::string params = Params(loadSection);
    const auto mean = Dir() / "mean.raw";
    const auto shell = [](const std::vector<std::string>& words) {
        std::string line = "env -u DISPLAY -u WAYLAND_DISPLAY";
        for (const std::string& w : words)
            line.append(" '").append(w).append("'");
        return std::system(line.append(" 2>/dev/null").c_str());
    };
    EXPECT_EQ(shell({program.string(), "average", "--params", params, "--out", mean.string(), files[0], files[1]}), 0);
    EXPECT_EQ(ReadRawValues<float>(mean)[0], 50.0f);
    EXPECT_NE(shell({program.string(), "convert", "--params", "/nonexistent"}), 0);
}

} // namespace
