// The program run for a screenshot has nobody to answer a dialog: a raw
// file is read with the stored load parameters, or the run ends with a
// message saying what was missing. The program runs as a child process
// under a time limit, so a run that waits on a dialog fails instead of
// hanging the suite.
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include "TestHome.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr int timeLimitMs = 30000;

struct ChildRun {
    bool finished = false;
    int code = -1;
    QString out;
    QString err;
};

ChildRun runProgram(const QStringList& arguments)
{
    QProcess child;
    // Qt's own note about a missing runtime folder would join the messages.
    const std::filesystem::path runtime = TestHome::path() / "runtime";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QString::fromStdString((plat::programFolder() / "pixorama").string()), arguments);
    ChildRun run;
    if (!child.waitForStarted(timeLimitMs))
        return run;
    run.finished = child.waitForFinished(timeLimitMs);
    if (!run.finished) {
        child.kill();
        child.waitForFinished();
    }
    run.code = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.out = QString::fromUtf8(child.readAllStandardOutput());
    run.err = QString::fromUtf8(child.readAllStandardError());
    return run;
}

// The program's own messages; the offscreen platform adds notes of its own.
QStringList ownLines(const QString& text)
{
    QStringList own;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("pixorama: ")))
            own << line;
    return own;
}

class HeadlessRun : public testing::Test {
protected:
    void SetUp() override
    {
        // A 6 x 4 frame of little-endian ushort ramps.
        std::vector<std::uint16_t> values(6 * 4);
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = std::uint16_t(1000 * i);
        std::ofstream(raw, std::ios::binary)
            .write(reinterpret_cast<const char*>(values.data()), std::streamsize(values.size() * 2));
    }

    void storeLoadParameters(const wchar_t* width, const wchar_t* height)
    {
        const std::wstring file = plat::fromPath(plat::writableFolder() / "ImaPInitPara" / "ImaLoad.ini");
        const std::pair<const wchar_t*, const wchar_t*> keys[] = {
            {L"InImaW", width}, {L"InImaH", height}, {L"InImaPixelType", L"0"}, {L"bLittleEndian", L"true"},
            {L"skipBytes", L"0"}, {L"bUseMapRange", L"false"}};
        for (const auto& [key, value] : keys)
            ASSERT_TRUE(plat::writeProfileString(L"ImaLoad", key, value, file));
    }

    ChildRun shoot()
    {
        return runProgram({QStringLiteral("--screenshot"), QString::fromStdString(shot.string()),
                           QString::fromStdString(raw.string())});
    }

    const std::filesystem::path raw = TestHome::path() / "frame.raw";
    const std::filesystem::path shot = TestHome::path() / "shot.png";
};

TEST_F(HeadlessRun, RawFileIsReadWithTheStoredLoadParameters)
{
    storeLoadParameters(L"6", L"4");
    const ChildRun run = shoot();
    ASSERT_TRUE(run.finished) << "the run waited on a dialog";
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("screenshot: "))) << run.out.toStdString();
    EXPECT_FALSE(QImage(QString::fromStdString(shot.string())).isNull());
}

TEST_F(HeadlessRun, RawFileWithoutStoredParametersEndsWithWhatWasNeeded)
{
    const ChildRun run = shoot();
    ASSERT_TRUE(run.finished) << "the run waited on a dialog";
    EXPECT_NE(run.code, 0);
    const QStringList lines = ownLines(run.err);
    ASSERT_EQ(lines.size(), 1) << run.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("pixorama: ") + QString::fromStdString(raw.string())));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("InImaW, InImaH, InImaPixelType"))) << lines[0].toStdString();
    EXPECT_FALSE(std::filesystem::exists(shot));
}

TEST_F(HeadlessRun, StoredParametersThatDoNotFitTheFileAreRefused)
{
    storeLoadParameters(L"600", L"400");
    const ChildRun run = shoot();
    ASSERT_TRUE(run.finished) << "the run waited on a dialog";
    EXPECT_NE(run.code, 0);
    EXPECT_EQ(ownLines(run.err), QStringList{QStringLiteral("pixorama: 文件长度不足：需要 480000 字节，实际 48 字节")});
    EXPECT_FALSE(std::filesystem::exists(shot));
}

} // namespace
