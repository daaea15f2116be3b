// The workbench as a user meets it: process start to the first painted
// frame (the program run with --startup-time), opening a 4096 x 4096 16-bit
// raw through "打开图像" to a painted frame, and each edit command on a
// 4096 x 4096 raw and colour picture. The undo history: what recording a
// step adds to a command, and Undo and Redo of a whole-picture step beside
// a memcpy of the bytes they restore.
#include "BenchRun.h"
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/WorkState.h"

#include <QApplication>
#include <QDialog>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int side = 4096;
constexpr int canvas = 4;

std::filesystem::path scratch()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / "pixorama-bench-workbench";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

// Raw pictures through the load dialog, file choosers with one path, edit
// dialogs with fixed answers.
void answerEverything(const std::wstring& chosen)
{
    plat::setMessageBoxResponder([](const std::wstring&, const std::wstring&, unsigned) { return plat::IDOK; });
    plat::setFileDialogResponder([chosen](const plat::FileDialogRequest&) { return std::vector<std::wstring>{chosen}; });
    plat::setDialogHook([](QDialog& dialog) {
        DialogDriver d(dialog);
        const std::map<std::wstring, std::wstring> values = {
            {L"InImaW", std::to_wstring(side)}, {L"InImaH", std::to_wstring(side)}, {L"InImaPixelType", L"0"},
            {L"bLittleEndian", L"true"}, {L"bUseMapRange", L"false"}, {L"skipBytes", L"0"},
            {L"m_RectLeft", L"48"}, {L"m_RectTop", L"48"}, {L"m_RectRight", L"4047"}, {L"m_RectBottom", L"4047"},
            {L"ImaOneW", L"3000"}, {L"ImaOneH", L"3000"},
        };
        for (const auto& [name, value] : values)
            if (d.Has(name))
                d.SetValue(name, value);
        d.PressOk();
    });
}

std::wstring rawFile()
{
    const std::filesystem::path path = scratch() / "big.raw";
    if (!std::filesystem::exists(path)) {
        std::vector<std::uint16_t> values(std::size_t(side) * side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                values[std::size_t(y) * side + x] = std::uint16_t(1000 + x * 7 + (y % 97) * 100);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(values.data()), std::streamsize(values.size() * 2));
    }
    return plat::fromPath(path);
}

// Made on first use, closed before the application object goes.
std::unique_ptr<CMainFrame> frame;

CMainFrame& mainFrame()
{
    if (!frame) {
        frame = std::make_unique<CMainFrame>();
        frame->show();
        QApplication::processEvents();
    }
    return *frame;
}

EleView& workingView()
{
    return *gCTERGetContainer()->viewArea()->view(3);
}

void openRaw()
{
    answerEverything(rawFile());
    mainFrame().OnCommand(2224);
}

void showColour()
{
    static ClassData2DIO<unsigned char> r, g, b;
    if (r.IsEmpty()) {
        for (auto* p : {&r, &g, &b})
            p->SetDim(side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                r.rows[y][x] = (unsigned char)(x);
                g.rows[y][x] = (unsigned char)(y);
                b.rows[y][x] = (unsigned char)(x ^ y);
            }
    }
    gCVSShowUCColor(canvas, r, g, b, true);
    gWorkState().PictureReplaced();
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    const std::string program = (plat::programFolder() / "pixorama").string();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        pid_t pid = 0;
        char* args[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--startup-time"), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, args, environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        waitpid(pid, &status, 0);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
    }
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_OpenRawToPaintedFrame(benchmark::State& state)
{
    rawFile();
    mainFrame();
    for (auto _ : state) {
        openRaw();
        workingView().repaint();
    }
}
BENCHMARK(BM_OpenRawToPaintedFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Each command from the same picture, which is put back outside the timing.
void runEdit(benchmark::State& state, void (*picture)())
{
    mainFrame();
    const int id = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        picture();
        state.ResumeTiming();
        mainFrame().OnCommand(id);
    }
    state.SetLabel(id == 2375 ? "crop" : id == 2376 ? "mirror left-right" : id == 2377 ? "mirror top-bottom"
                 : id == 2378 ? "negative" : "resize to 3000");
}

void BM_EditRaw(benchmark::State& state)
{
    runEdit(state, openRaw);
}
BENCHMARK(BM_EditRaw)->DenseRange(2375, 2378)->Arg(2384)->Unit(benchmark::kMillisecond);

void BM_EditColour(benchmark::State& state)
{
    answerEverything(L"");
    runEdit(state, showColour);
}
BENCHMARK(BM_EditColour)->DenseRange(2375, 2378)->Arg(2384)->Unit(benchmark::kMillisecond);

// The same command run as the menu runs it (a step of the history) and
// straight into its handler group (no step), in turn and each timed on its
// own: whatever else the machine does meanwhile weighs on both alike. The
// iteration time is the recorded run's; "with/without" is the ratio of the
// two runs' total times.
void recordOrNot(benchmark::State& state, void (*picture)(), void (CMainFrame::*group)(int), int id)
{
    mainFrame();
    double with = 0.0;
    double without = 0.0;
    bool recordedFirst = false;
    for (auto _ : state) {
        double recordedTime = 0.0;
        for (const bool recorded : {recordedFirst, !recordedFirst}) {
            picture();
            gPictureHistory().Clear();
            const auto start = std::chrono::steady_clock::now();
            if (recorded)
                mainFrame().OnCommand(id);
            else
                (mainFrame().*group)(id);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            (recorded ? with : without) += seconds;
            if (recorded)
                recordedTime = seconds;
        }
        recordedFirst = !recordedFirst;
        state.SetIterationTime(recordedTime);
    }
    state.counters["without_ms"] = without * 1e3 / double(state.iterations());
    state.counters["with/without"] = without > 0.0 ? with / without : 0.0;
}

void BM_RawNegativeStep(benchmark::State& state)
{
    recordOrNot(state, openRaw, &CMainFrame::OnEditCommand, 2378);
}
// Several seconds: a run of a few dozen milliseconds moves with whatever
// else the machine does.
BENCHMARK(BM_RawNegativeStep)->MinTime(3.0)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ColourSepiaStep(benchmark::State& state)
{
    answerEverything(L"");
    recordOrNot(state, showColour, &CMainFrame::OnArtCommand, 2338);
}
BENCHMARK(BM_ColourSepiaStep)->MinTime(3.0)->UseManualTime()->Unit(benchmark::kMillisecond);

// One whole-picture step on the raw picture (surface, working and ori
// raws), taken back and brought back in turn.
void BM_UndoRedoRawStep(benchmark::State& state)
{
    mainFrame();
    openRaw();
    PictureHistory& history = gPictureHistory();
    history.Clear();
    mainFrame().OnCommand(2378);
    bool back = true;
    for (auto _ : state) {
        if (!(back ? history.Undo() : history.Redo())) {
            state.SkipWithError("no step");
            break;
        }
        back = !back;
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(history.Bytes()));
    state.counters["step MiB"] = double(history.Bytes()) / (1 << 20);
}
BENCHMARK(BM_UndoRedoRawStep)->Unit(benchmark::kMillisecond);

// A memcpy of as many bytes as the step above restores.
void BM_MemcpyOfRawStep(benchmark::State& state)
{
    const std::size_t bytes = std::size_t(side) * side * (sizeof(unsigned) + 2 * sizeof(float));
    std::vector<unsigned char> from(bytes, 1);
    std::vector<unsigned char> to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
BENCHMARK(BM_MemcpyOfRawStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PIXORAMA_HOME", scratch().c_str(), 0);
    // As the program does at start.
    plat::keepLargeBlocksForReuse();
    QApplication app(argc, argv);
    const int status = runBenchmarks(argc, argv);
    frame.reset();
    return status;
}
