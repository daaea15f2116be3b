// Drives the real main window with a seeded stream of random user actions.
//   pixorama-monkey [--seed S] [--actions N] [--corpus DIR]... [--log FILE]
//                   [--slow-ms MS] [--hang-seconds S] [--history-mib MIB]
//                   [--max-resident-mb MB] [--memory-mb MB]
//   pixorama-monkey --replay S --until N     repeats run S up to action N
// Every action and answer is logged; a run that dies says its seed and the
// action it died in. At the end it prints the longest action and the
// resident memory after 10,000 actions (or all of them) and after the last
// action, before the window closes. The undo history may keep up to its
// budget (by default a quarter of the memory, at most 2 GiB), so the run
// gives it a small one (--history-mib, default 64) and logs what it holds
// next to the resident memory. The program is told that --memory-mb of
// memory are free (default 2048, as on a small machine), so a job typed at
// the size of this whole machine is refused rather than left to fill it.
#include "MonkeyActions.h"
#include "MonkeyAnswers.h"
#include "MonkeyCorpus.h"
#include "MonkeyLog.h"
#include "MonkeyRandom.h"

#include "pixorama/common/MemoryBudget.h"
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/ResultsDock.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <malloc.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));
extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));
extern "C" std::size_t __sanitizer_get_heap_size() __attribute__((weak));
extern "C" void __asan_print_accumulated_stats() __attribute__((weak));

namespace {

struct Options {
    std::uint64_t seed = 1;
    long actions = 2000;
    std::vector<std::filesystem::path> corpus;
    std::string log;
    long slowMs = 0;     // 0: longest action only reported
    long hangSeconds = 300;
    long historyMib = 64;
    long maxResidentMb = 0; // 0: no limit
    long memoryMb = 2048;
    bool ok = true;
};

std::atomic<std::uint64_t> runSeed{0};
std::atomic<long> runAction{0};
std::atomic<long long> actionStart{0};
MonkeyLog* qtLog = nullptr;

// Qt's own warnings join the log at the action that caused them.
void logQtMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (qtLog)
        qtLog->Line("  qt: " + text.toStdString());
}

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Async-signal-safe: formats with no allocation.
void sayWhere()
{
    char text[160];
    const int n = std::snprintf(text, sizeof text,
                                "monkey: died in action %ld of seed %llu; repeat with --replay %llu --until %ld\n",
                                runAction.load(), (unsigned long long)runSeed.load(),
                                (unsigned long long)runSeed.load(), runAction.load());
    if (n > 0 && ::write(2, text, std::size_t(n)) < 0)
        return;
}

void onSignal(int signal)
{
    sayWhere();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

long residentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

// What the allocator hands out and what it holds from the system: resident
// memory above both is not ours, resident memory above the first alone is
// held free by the allocator. Under a sanitizer its own allocator answers.
std::string heapMb()
{
    std::size_t inUse = 0, held = 0;
    if (__sanitizer_get_current_allocated_bytes && __sanitizer_get_heap_size) {
        inUse = __sanitizer_get_current_allocated_bytes();
        held = __sanitizer_get_heap_size();
    } else {
        const struct mallinfo2 heap = mallinfo2();
        inUse = heap.uordblks + heap.hblkhd;
        held = heap.arena + heap.hblkhd;
    }
    return "heap in use " + std::to_string(inUse >> 20) + " MB of " + std::to_string(held >> 20) + " MB";
}

long resultRows(const CMainFrame& frame)
{
    const auto* table = frame.resultsDock() ? frame.resultsDock()->findChild<QTableView*>() : nullptr;
    return table && table->model() ? table->model()->rowCount() : 0;
}

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if ((a == "--seed" || a == "--replay") && hasValue)
            o.seed = std::strtoull(argv[++i], nullptr, 10);
        else if ((a == "--actions" || a == "--until") && hasValue)
            o.actions = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--corpus" && hasValue)
            o.corpus.emplace_back(argv[++i]);
        else if (a == "--log" && hasValue)
            o.log = argv[++i];
        else if (a == "--slow-ms" && hasValue)
            o.slowMs = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--hang-seconds" && hasValue)
            o.hangSeconds = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--history-mib" && hasValue)
            o.historyMib = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--max-resident-mb" && hasValue)
            o.maxResidentMb = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--memory-mb" && hasValue)
            o.memoryMb = std::strtol(argv[++i], nullptr, 10);
        else {
            std::fprintf(stderr, "pixorama-monkey: unknown argument %s\n", a.c_str());
            o.ok = false;
        }
    }
    return o;
}

// Ends a run whose action hangs, or whose resident memory passes its
// limit, saying where, instead of waiting for ever or taking the machine.
void watch(long hangSeconds, long maxResidentMb, const std::atomic<bool>& finished)
{
    while (!finished.load()) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        if (const long mb = residentMb(); maxResidentMb > 0 && mb > maxResidentMb) {
            std::fprintf(stderr, "monkey: resident memory %ld MB over %ld MB\n", mb, maxResidentMb);
            sayWhere();
            std::_Exit(4);
        }
        const long long started = actionStart.load();
        if (started && nowMs() - started > hangSeconds * 1000) {
            std::fprintf(stderr, "monkey: action hangs for over %ld s\n", hangSeconds);
            sayWhere();
            std::_Exit(3);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The program keeps freed picture blocks for reuse, and glibc by default
    // keeps blocks up to the largest one freed so far: either way resident
    // memory follows the peak, not what is held. Blocks from 256 KiB up go
    // back to the system here, so that growth in the log is memory kept.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    QApplication qt(argc, argv);
    const Options options = parse(argc, argv);
    if (!options.ok || options.actions < 0)
        return 2;
    runSeed = options.seed;
    for (const int s : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(s, onSignal);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(sayWhere);
    std::set_terminate([] {
        sayWhere();
        std::abort();
    });

    std::string pattern = (std::filesystem::temp_directory_path() / "pixorama-monkey-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 2;
    const std::filesystem::path home = pattern;
    setenv("PIXORAMA_HOME", home.c_str(), 1);
    MemoryBudget::SetAvailableForTesting(std::uint64_t(std::max(options.memoryMb, 1L)) << 20);
    plat::writeProfileString(L"History", L"BudgetMiB", std::to_wstring(options.historyMib),
                             plat::fromPath(home / "settings.ini"));
    const std::filesystem::path out = home / "out";
    std::filesystem::create_directories(out);

    std::FILE* logFile = options.log.empty() ? stderr : std::fopen(options.log.c_str(), "w");
    if (!logFile)
        return 2;
    MonkeyLog log(logFile);
    qtLog = &log;
    qInstallMessageHandler(logQtMessage);
    MonkeyCorpus corpus(home / "corpus");
    for (const auto& extra : options.corpus)
        corpus.AddFolder(std::filesystem::absolute(extra));
    // Folders typed as relative paths land in the run's own folder.
    std::filesystem::current_path(home);
    MonkeyRandom random(options.seed);
    log.Line("seed " + std::to_string(options.seed) + ", " + std::to_string(options.actions) + " actions, "
             + std::to_string(corpus.Files().size()) + " corpus files");

    std::atomic<bool> finished{false};
    std::thread watchdog(watch, options.hangSeconds, options.maxResidentMb, std::cref(finished));
    long longest = 0, longestAt = 0, slow = 0, earlyMb = 0, lastMb = 0;
    {
        MonkeyAnswers answers(random, log, corpus.Files(), corpus.Folder(), out);
        auto frame = std::make_unique<CMainFrame>();
        frame->resize(1024, 768);
        frame->show();
        QApplication::processEvents();
        MonkeyActions actions(*frame, random, log, corpus.Files());
        // Qt's own popups (the menu bar's overflow button, a tool button's
        // menu) run a nested event loop: they are closed from inside it.
        QTimer popupCloser;
        QObject::connect(&popupCloser, &QTimer::timeout, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        popupCloser.start(50);
        lastMb = residentMb();
        for (long n = 1; n <= options.actions; ++n) {
            runAction = n;
            std::string mark = "#";
            log.Line(mark.append(std::to_string(n)));
            const long long start = nowMs();
            actionStart = start;
            const std::string done = actions.Step();
            const long took = long(nowMs() - start);
            if (took > longest) {
                longest = took;
                longestAt = n;
            }
            if (options.slowMs > 0 && took > options.slowMs) {
                ++slow;
                log.Line("  slow: " + std::to_string(took) + " ms: " + done);
            }
            // An action that takes much memory at once is named in the log.
            const long mb = residentMb();
            if (mb - lastMb >= 64)
                log.Line("  resident " + std::to_string(lastMb) + " -> " + std::to_string(mb) + " MB: " + done);
            lastMb = mb;
            if (n == std::min<long>(10000, options.actions))
                earlyMb = mb;
            // Saved files would pile up over a long run; memory is logged
            // so that a run cut short still shows its course.
            if (n % 1000 == 0) {
                log.Line("  resident " + std::to_string(residentMb()) + " MB, undo history "
                         + std::to_string(gPictureHistory().Bytes() >> 10) + " KB, "
                         + std::to_string(resultRows(*frame)) + " result rows, " + heapMb());
                // AddressSanitizer's own books (its stack store among them)
                // go to the error stream now and then.
                if (n % 10000 == 0 && __asan_print_accumulated_stats)
                    __asan_print_accumulated_stats();
                std::error_code ignored;
                for (const auto& entry : std::filesystem::directory_iterator(out, ignored))
                    std::filesystem::remove_all(entry.path(), ignored);
            }
        }
        actionStart = 0;
        // Closing cancels and waits for the running jobs.
        frame->close();
        QApplication::processEvents();
    }
    finished = true;
    watchdog.join();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    std::fprintf(stderr,
                 "monkey: seed %llu, %ld actions done; longest action %ld ms (#%ld); %ld over %ld ms; "
                 "resident %ld MB after action %ld, %ld MB at the end\n",
                 (unsigned long long)options.seed, options.actions, longest, longestAt, slow, options.slowMs,
                 earlyMb, std::min<long>(10000, options.actions), lastMb);
    qInstallMessageHandler(nullptr);
    qtLog = nullptr;
    if (logFile != stderr)
        std::fclose(logFile);
    return slow > 0 ? 1 : 0;
}
