#include "FileIoTestTools.h"

#include "pixorama/common/KeyState.h"
#include "pixorama/common/MessageHelpers.h"
#include "pixorama/common/PrecisionTime.h"
#include "pixorama/common/QEVOSSystem.h"
#include "pixorama/common/QEVProgressMonitor.h"
#include "pixorama/common/StringConvert.h"
#include "pixorama/platform/System.h"
#include "pixorama/platform/Types.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <thread>

using namespace fileio_test;

namespace {

TEST(ProgressMonitor, FiftyStepsMakeAHundred)
{
    QEVProgressMonitor monitor;
    EXPECT_EQ(monitor.GetIndicator(), 0);
    EXPECT_FALSE(monitor.IsFinished());
    monitor.SetRange(50);
    for (int i = 0; i < 10; ++i)
        monitor.StepForward();
    EXPECT_EQ(monitor.GetIndicator(), 5);
    for (int i = 0; i < 190; ++i)
        monitor.StepForward();
    EXPECT_EQ(monitor.GetIndicator(), 100);
    monitor.SetState(true);
    EXPECT_TRUE(monitor.IsFinished());
    // Byte-packed: a flag and two floats.
    EXPECT_EQ(sizeof(QEVProgressMonitor), 9u);
}

TEST(KeyState, DownAndUpAreExclusive)
{
    for (int key : {plat::VK_SHIFT, plat::VK_CONTROL, int('C'), plat::VK_LBUTTON}) {
        plat::setKeyDown(key, true);
        EXPECT_EQ(KEYDOWN(key), 1) << key;
        EXPECT_EQ(KEYUP(key), 0) << key;
        plat::setKeyDown(key, false);
        EXPECT_EQ(KEYDOWN(key), 0) << key;
        EXPECT_EQ(KEYUP(key), 1) << key;
    }
}

TEST(MessageHelpers, ShowFormattedValues)
{
    MessageRecorder messages;
    QEVBInt(7);
    QEVBInt(3, -4);
    QEVBFloat(1.5f);
    QEVBFloat(0.25f, 2.0f);
    QEVBChar("投影 ok");
    EXPECT_EQ(messages.texts, (std::vector<std::wstring>{L"7", L"3 -4", L"1.5000", L"0.2500 2.0000", L"投影 ok"}));
}

TEST(PrecisionTime, ShowTimePrintsAndShowsTheSeconds)
{
    MessageRecorder messages;
    PrecisionTime timer;
    timer.Start();
    timer.End();
    timer.end = timer.start + timer.frequency * 3 / 2;  // exactly 1.5 s later
    testing::internal::CaptureStdout();
    timer.ShowTime();
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_GT(timer.frequency, 0);
    EXPECT_DOUBLE_EQ(timer.GetSecond(), 1.5);
    EXPECT_EQ(printed, "耗费时间为1.500000000\n");
    EXPECT_EQ(messages.texts, std::vector<std::wstring>{L"1.5000"});
}

TEST(PrecisionTime, MeasuresElapsedCounter)
{
    MessageRecorder messages;
    PrecisionTime timer;
    timer.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    timer.End();
    testing::internal::CaptureStdout();
    timer.ShowTime();
    testing::internal::GetCapturedStdout();
    EXPECT_GE(timer.GetSecond(), 0.019);
    EXPECT_LT(timer.GetSecond(), 60.0);
}

TEST(StringConvert, WideToUtf8)
{
    const CString text = L"投影图像 1.raw";
    char* copy = gCStringToChar(&text);
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "投影图像 1.raw");
    gDLLDelete(copy);
    gDLLDelete(nullptr);

    char* empty = gCStringToChar(nullptr);
    EXPECT_STREQ(empty, "");
    gDLLDelete(empty);

    EXPECT_EQ(CStringToString(text), "投影图像 1.raw");
    EXPECT_EQ(CStringToString(L""), "");
}

TEST(OSSystem, ProcessorCountIsTheMachines)
{
    const unsigned hardware = std::thread::hardware_concurrency();
    EXPECT_GE(QEVOSSystem::GetProcessorNum(), 1);
    if (hardware > 0) {
        EXPECT_EQ(QEVOSSystem::GetProcessorNum(), int(hardware));
    }
}

} // namespace
