// pixorama-batch reconstruct on simulated intensity files of a cylinder.
#include "../CtTestTools.h"
#include "AnalyticPhantom.h"

#include "pixorama/workbench/BatchProgram.h"

#include <cmath>
#include <sstream>

using namespace cttest;

namespace {

CtGeometry scanOfRecord()
{
    CtGeometry g{
        .beam = Beam::Cone, .columns = 48, .rows = 32, .views = 90, .du = 0.8, .sod = 150, .sdd = 250, .size = 32};
    g.pixel = g.fieldPixel();
    return g;
}

const char* const record = "[ImaRec]\nm_widthOri=48\nm_heightOri=32\nm_DRPixelType=1\nm_viewnum=90\nm_width=32\n"
                           "m_unitsize=0.8\nm_SOD=150\nm_SDD=250\nm_bUseLog=1\nm_LogProcessMethod=2\nm_I0=1000\n"
                           "m_OutRecPixelType=1\nm_bRecMulti=1\nm_Row_ToBeReStart=0\nm_Row_ToBeReEnd=31\n";

int run(const std::vector<std::string>& args, std::string& err)
{
    std::ostringstream out, errors;
    const int status = RunBatchProgram(args, out, errors);
    err = errors.str();
    return status;
}

} // namespace

TEST(BatchReconstruct, SlicesOfPiecesEqualTheWholeRunAndHoldTheDensity)
{
    const CtGeometry g = scanOfRecord();
    const double density = 0.05;
    const auto cylinder = phantom::Disc(0.3 * g.size * g.pixel, density);
    const auto frames = phantom::Frames(cylinder, g, 0, g.rows);
    for (int v = 0; v < g.views; ++v) {
        std::vector<float> intensity;
        for (int r = 0; r < g.rows; ++r)
            for (int c = 0; c < g.columns; ++c)
                intensity.push_back(float(1000 * std::exp(-frames[std::size_t(v)].rows[r][c])));
        WriteRaw(Dir("proj") / Numbered("p", 100 + v, ".raw"), intensity);
    }
    const auto params = Dir() / "ImaRec.ini";
    WriteBytes(params, record);
    const std::string glob = (Dir("proj") / "*.raw").string();
    std::string err;
    const auto whole = Dir("whole"), pieces = Dir("pieces");
    ASSERT_EQ(run({"reconstruct", "--params", params.string(), "--glob", glob, "--out-dir", whole.string()}, err), 0) << err;
    ASSERT_EQ(run({"reconstruct", "--params", params.string(), "--glob", glob, "--out-dir", pieces.string(), "--range", "0:13"}, err), 0) << err;
    ASSERT_EQ(run({"reconstruct", "--params", params.string(), "--glob", glob, "--out-dir", pieces.string(), "--range", "13:40"}, err), 0) << err;
    ASSERT_EQ(Names(whole).size(), 32u);
    EXPECT_EQ(Names(pieces), Names(whole));
    for (const std::string& name : Names(whole))
        EXPECT_EQ(ReadBytes(whole / name), ReadBytes(pieces / name)) << name;
    // The middle slice: the cylinder's density in the centre, nothing outside.
    const std::vector<float> slice = ReadRawValues<float>(whole / "00016.raw");
    ASSERT_EQ(slice.size(), 32u * 32u);
    double centre = 0;
    for (int r = 14; r < 18; ++r)
        for (int c = 14; c < 18; ++c)
            centre += slice[std::size_t(r * 32 + c)] / 16;
    EXPECT_NEAR(centre, density, 0.02 * density);
    EXPECT_NEAR(slice[16 * 32 + 2], 0.0, 0.05 * density);

    // A missing projection stops the run with a reason and writes nothing.
    std::filesystem::remove(Dir("proj") / Numbered("p", 150, ".raw"));
    const auto none = Dir("none");
    WriteBytes(params, std::string(record) + "m_viewnum=90\n");
    EXPECT_NE(run({"reconstruct", "--params", params.string(), "--glob", glob, "--out-dir", none.string()}, err), 0);
    EXPECT_NE(err.find("failed"), std::string::npos) << err;
    EXPECT_TRUE(Names(none).empty());
}
