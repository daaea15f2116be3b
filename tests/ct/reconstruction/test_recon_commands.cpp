// The reconstruction menu as a user runs it: "锥束成像仿真" writes
// projections of the Shepp-Logan head, "图像锥束重建" turns them back into a
// slice in canvas 4, both answered through the same dialog.
#include "../CtTestTools.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/common/MemoryBudget.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/SequenceOps.h"

#include <QDialog>

using namespace cttest;

namespace {

// Every dialog gets answers and OK; every message box is kept in messages.
void AnswerEveryDialog(const std::vector<std::pair<CString, CString>>& answers, std::vector<CString>& messages)
{
    plat::setDialogHook([&answers](QDialog& dialog) {
        DialogDriver d(dialog);
        for (const auto& [name, value] : answers)
            EXPECT_TRUE(d.SetValue(name, value)) << plat::toUtf8(name);
        d.PressOk();
    });
    plat::setMessageBoxResponder([&messages](const std::wstring& text, const std::wstring&, unsigned) {
        messages.push_back(text);
        return 1;
    });
}


// Runs one command of a reconstruction menu with its dialogs answered and
// waits for its job; gives the message boxes it showed.
std::vector<CString> RunAnswered(const std::vector<std::pair<CString, CString>>& answers, void (*group)(int), int id)
{
    std::vector<CString> messages;
    AnswerEveryDialog(answers, messages);
    group(id);
    WaitForSequenceJobs();
    plat::setDialogHook({});
    plat::setMessageBoxResponder({});
    return messages;
}

} // namespace

TEST(ReconCommands, SimulatedConeScanReconstructsIntoCanvasFour)
{
    const auto folder = Dir("cone");
    const std::vector<std::pair<CString, CString>> answers = {
        {L"m_widthOri", L"48"}, {L"m_heightOri", L"32"}, {L"m_DRPixelType", L"1"}, {L"m_viewnum", L"60"},
        {L"m_width", L"32"}, {L"m_unitsize", L"0.8"}, {L"m_SOD", L"150"}, {L"m_SDD", L"250"},
        {L"m_bUseLog", L"true"}, {L"m_LogProcessMethod", L"2"}, {L"m_I0", L"60000"}, {L"m_Row_ToBeRe", L"16"},
        {L"m_bRecMulti", L"false"}, {L"m_SaveDir", W(folder)}};
    std::vector<CString> messages;
    AnswerEveryDialog(answers, messages);

    RunReconCommand(2464);
    WaitForSequenceJobs();
    EXPECT_EQ(messages, std::vector<CString>{L"仿真完成"});
    std::vector<CString> files;
    for (const std::string& name : Names(folder))
        files.push_back(W(folder / name));
    ASSERT_EQ(files.size(), 60u);
    SetSequenceFileSource([&] { return files; });

    RunReconCommand(2458);
    WaitForSequenceJobs();
    SetSequenceFileSource({});
    plat::setDialogHook({});
    plat::setMessageBoxResponder({});
    const ClassData2DIO<float>& slice = gCVSGetRawOri(4);
    ASSERT_EQ(slice.width, 32);
    ASSERT_EQ(slice.height, 32);
    // The head's brain (0.2 of the skull's 0.02 per mm) and the air outside.
    EXPECT_NEAR(slice.rows[16][16], 0.004, 0.0006);
    EXPECT_NEAR(slice.rows[16][1], 0.0, 0.0006);
}

// Work wider than the memory is refused with its size before anything is
// made: a fan-beam phantom (it used to end the program with an uncaught
// allocation failure) and a fan-beam slice (it used to be allocated and
// filled in the background until the system ran out of memory).
TEST(ReconCommands, WorkLargerThanTheMemoryIsRefusedWithItsSize)
{
    ClassData2DIO<float> sinogram;
    sinogram.SetDim(64, 90);
    for (int y = 0; y < sinogram.height; ++y)
        std::fill_n(sinogram.rows[y], sinogram.width, 1.0f);
    gCVSShowRawFloat(4, sinogram, true, true);
    struct Case {
        int id;
        std::vector<std::pair<CString, CString>> answers;
        int availableMb;
    };
    const std::pair<CString, CString> detector[] = {{L"m_unitsize", L"1"}, {L"m_SOD", L"500"}, {L"m_SDD", L"1000"}};
    const Case cases[] = {{2460, {{L"m_width", L"65535"}, {L"m_viewnum", L"360"}}, 1024},
                          {2456, {{L"m_RecWidth", L"4096"}}, 16}};
    for (Case c : cases) {
        c.answers.insert(c.answers.end(), std::begin(detector), std::end(detector));
        MemoryBudget::SetAvailableForTesting(std::uint64_t(c.availableMb) << 20);
        const std::vector<CString> messages = RunAnswered(c.answers, RunReconCommand, c.id);
        MemoryBudget::SetAvailableForTesting(0);
        ASSERT_EQ(messages.size(), 1u) << c.id;
        EXPECT_EQ(messages[0].rfind(L"图像需要约 ", 0), 0u) << plat::toUtf8(messages[0]);
        EXPECT_NE(messages[0].find(L"可用 " + std::to_wstring(c.availableMb) + L" MB"), CString::npos)
            << plat::toUtf8(messages[0]);
        EXPECT_EQ(gCVSGetRawOri(4).width, 64) << c.id;
    }
}

// Cuts typed at the ends of int are refused, not wrapped round into a
// detector that looks valid.
TEST(ReconCommands, ProjectionWeightingRefusesCutsBeyondAnyDetector)
{
    ClassData2DIO<float> projection;
    projection.SetDim(40, 20);
    for (int y = 0; y < projection.height; ++y)
        for (int x = 0; x < projection.width; ++x)
            projection.rows[y][x] = 7.0f;
    gCVSShowRawFloat(4, projection, true, true);
    for (const CString cut : {L"2147483647", L"1073741824"}) {
        const std::vector<std::pair<CString, CString>> answers = {
            {L"m_DRHCut", cut}, {L"m_DRVCut", L"0"}, {L"m_viewnum", L"60"}, {L"m_width", L"32"},
            {L"m_unitsize", L"0.8"}, {L"m_SOD", L"150"}, {L"m_SDD", L"250"}, {L"m_Xoffset", L"30"}};
        EXPECT_EQ(RunAnswered(answers, RunLargeFovCommand, 2478), std::vector<CString>{L"投影图像大小或切除参数无效"})
            << plat::toUtf8(cut);
        EXPECT_EQ(gCVSGetRawOri(4).rows[10][20], 7.0f);
    }
}

// The fan command keeps every step-th view of the sinogram in canvas 4,
// whatever step is typed: a step past the end keeps the first view alone.
TEST(ReconCommands, FanFilteringKeepsEveryStepthViewUpToAnyStep)
{
    for (const auto& [step, views] : {std::pair<CString, int>{L"3", 14}, {L"2147483647", 1}}) {
        ClassData2DIO<float> sinogram;
        sinogram.SetDim(16, 40);
        for (int v = 0; v < sinogram.height; ++v)
            for (int x = 0; x < sinogram.width; ++x)
                sinogram.rows[v][x] = x == 8 ? 1.0f : 0.0f;
        gCVSShowRawFloat(4, sinogram, true, true);
        const std::vector<std::pair<CString, CString>> answers = {
            {L"m_Viewgap", step}, {L"m_unitsize", L"1"}, {L"m_SOD", L"150"}, {L"m_SDD", L"250"}, {L"m_bUseLog", L"false"}};
        const std::vector<CString> messages = RunAnswered(answers, RunReconCommand, 2455);
        EXPECT_TRUE(messages.empty()) << plat::toUtf8(step) << " " << plat::toUtf8(messages.empty() ? L"" : messages[0]);
        EXPECT_EQ(gCVSGetRawOri(4).width, 16) << plat::toUtf8(step);
        EXPECT_EQ(gCVSGetRawOri(4).height, views) << plat::toUtf8(step);
    }
}

// A reconstruction width no slice of which fits in memory is refused with
// the memory message before the list of rows to rebuild is made.
TEST(ReconCommands, ProjectionWeightingRefusesASliceLargerThanTheMemory)
{
    ClassData2DIO<float> projection;
    projection.SetDim(40, 20);
    gCVSShowRawFloat(4, projection, true, true);
    const std::vector<std::pair<CString, CString>> answers = {
        {L"m_viewnum", L"60"}, {L"m_width", L"2147483647"}, {L"m_unitsize", L"0.8"}, {L"m_SOD", L"150"},
        {L"m_SDD", L"250"}, {L"m_bRecMulti", L"true"}, {L"m_Row_ToBeReStart", L"0"}, {L"m_Row_ToBeReEnd", L"2147483647"}};
    const std::vector<CString> messages = RunAnswered(answers, RunLargeFovCommand, 2478);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"图像需要约 ", 0), 0u) << plat::toUtf8(messages[0]);
}
