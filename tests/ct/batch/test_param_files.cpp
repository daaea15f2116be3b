// The batch program reads what the dialogs wrote: a confirmed dialog and
// gReadImaParaFile give the same record.
#include "CtTestTools.h"

#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/parlet/ParaFile.h"

#include <QDialog>

using namespace cttest;

namespace {

void Answer(std::vector<std::pair<CString, CString>> values, bool browse = false)
{
    plat::setDialogHook([values, browse](QDialog& dialog) {
        DialogDriver d(dialog);
        for (const auto& [name, value] : values)
            d.SetValue(name, value);
        if (browse)
            d.Press(1328);
        d.PressOk();
    });
}

TEST(ParaFiles, FormatDialogValuesReadBackWithoutTheDialog)
{
    Answer({{L"InImaW", L"640"}, {L"InImaH", L"480"}, {L"InImaPixelType", L"1"}, {L"bLittleEndian", L"true"},
            {L"OutImaW", L"320"}, {L"OutImaH", L"240"}, {L"OutImaPixelType", L"3"}, {L"OutImaIPType", L"2"},
            {L"OutImaStep", L"4"}, {L"bUseMapRange", L"true"}, {L"MapRangeLowIn", L"1.5"},
            {L"MapRangeHighIn", L"900"}, {L"MapRangeLowOut", L"0"}, {L"MapRangeHighOut", L"255"},
            {L"OutDir", L"/data/out"}});
    tagQEVImaFormatPara shown;
    ASSERT_TRUE(gDlgGetImaFormatPara(shown));
    plat::setDialogHook({});
    tagQEVImaFormatPara read;
    read.Files = {L"kept"};
    ASSERT_TRUE(gReadImaParaFile(read));
    EXPECT_EQ(read.InImaW, 640);
    EXPECT_EQ(read.InImaPixelType, 1);
    EXPECT_EQ(read.bLittleEndian, 1);
    EXPECT_EQ(read.OutImaPixelType, 3);
    EXPECT_EQ(read.OutImaIPType, 2);
    EXPECT_EQ(read.OutImaStep, shown.OutImaStep);
    EXPECT_EQ(read.bUseMapRange, 1);
    EXPECT_EQ(read.MapRangeLowIn, 1.5f);
    EXPECT_EQ(read.MapRangeHighIn, shown.MapRangeHighIn);
    EXPECT_EQ(read.OutDir, L"/data/out");
    EXPECT_EQ(read.Files, std::vector<CString>{L"kept"});
}

TEST(ParaFiles, PairDialogKeepsItsSaveFolderForTheBatch)
{
    plat::setFolderDialogResponder([](const std::wstring&) { return std::wstring(L"/data/stitched"); });
    Answer({{L"ImaOneW", L"100"}, {L"ImaTwoW", L"120"}, {L"bVertical", L"true"}, {L"InputFileStep", L"3"}}, true);
    tagQEVImaPairPara shown;
    ASSERT_TRUE(gDlgGetImaPairPara(shown));
    plat::setDialogHook({});
    plat::setFolderDialogResponder({});
    tagQEVImaPairPara read;
    ASSERT_TRUE(gReadImaParaFile(read));
    EXPECT_EQ(read.ImaOneW, 100);
    EXPECT_EQ(read.ImaTwoW, 120);
    EXPECT_EQ(read.bVertical, 1);
    EXPECT_EQ(read.InputFileStep, 3);
    EXPECT_EQ(read.m_SaveDir, L"/data/stitched");
}

TEST(ParaFiles, NamedFileAndMissingKeys)
{
    const auto path = Dir() / "mine.ini";
    WriteBytes(path, "[ImaLoad]\nInImaW=12\n[ImaROIRect]\nm_RectLeft=3\n");
    tagQEVImaLoadPara load;
    load.InImaH = 7;
    ASSERT_TRUE(gReadImaParaFile(load, W(path)));
    EXPECT_EQ(load.InImaW, 12);
    EXPECT_EQ(load.InImaH, 7); // not stored: kept
    tagQEVImaROIRectPara rect;
    ASSERT_TRUE(gReadImaParaFile(rect, W(path)));
    EXPECT_EQ(rect.m_RectLeft, 3);
    tagQEVImaRowDataPara rows;
    EXPECT_FALSE(gReadImaParaFile(rows, W(Dir() / "none.ini")));
    EXPECT_FALSE(gReadImaParaFile(rows)); // no dialog has written one yet
}

} // namespace
