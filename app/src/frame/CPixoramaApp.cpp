#include "pixorama/workbench/CPixoramaApp.h"

#include "HeadlessDialogs.h"
#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Image.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/OpenPicture.h"
#include "pixorama/workbench/RawWindow.h"
#include "pixorama/workbench/SampleImage.h"
#include "pixorama/workbench/WorkState.h"

#include "StartupClock.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QToolBar>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int workingView = 3; // right bottom: canvas 4

// Time for the window to settle its geometry and paint before the shot.
constexpr int screenshotDelayMs = 300;

// The canvas reads files itself: raw frames through the load dialog,
// pictures (deep grey ones with their values) by decoding.
bool readFile(int canvas, std::wstring path)
{
    gCVSReadFile(canvas, path, true);
    return gCVSGetFileType(canvas) != FileNothing;
}

// Shows the generated sample through the float path, as a read would.
bool showGeneratedSample(int canvas)
{
    const int w = SampleImage::defaultWidth;
    const int h = SampleImage::defaultHeight;
    const std::vector<std::uint16_t> values = SampleImage::generate(w, h);
    if (values.empty())
        return false;
    std::vector<float> pixels(values.begin(), values.end());
    gCVSShowRawFloat(canvas, pixels.data(), w, h, true, true);
    gCVSSetFileType(canvas, FileFloat);
    return gCVSGetFileType(canvas) != FileNothing;
}

// The toolbar buttons that have their image: a check that the installed
// data was found.
int toolbarImages(const CMainFrame& frame)
{
    int count = 0;
    if (const QToolBar* bar = frame.toolBar())
        for (const QAction* button : bar->actions())
            count += button->icon().isNull() ? 0 : 1;
    return count;
}

} // namespace

WorkbenchOptions CPixoramaApp::parseCommandLine(const QStringList& arguments)
{
    WorkbenchOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                options.error = L"--screenshot needs a file name";
                return options;
            }
            options.screenshot = arguments[++i].toStdWString();
        } else if (a == QLatin1String("--lang")) {
            if (i + 1 >= arguments.size() || !plat::parseLanguage(arguments[i + 1].toStdWString())) {
                options.error = L"--lang needs en or zh";
                return options;
            }
            options.language = arguments[++i].toStdWString();
        } else if (a == QLatin1String("--startup-time")) {
            options.startupTime = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            options.help = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            options.error = L"unknown option " + a.toStdWString();
            return options;
        } else if (options.image.empty()) {
            options.image = a.toStdWString();
        } else {
            options.error = L"only one image can be given";
            return options;
        }
    }
    return options;
}

std::wstring CPixoramaApp::usage()
{
    return L"usage: pixorama [--lang en|zh] [--screenshot FILE.png] [--startup-time] [--version] [IMAGE]\n"
           L"  IMAGE            a picture to show (the bundled sample when none is given)\n"
           L"  --screenshot F   write a PNG of the main window to F once the picture is shown, then quit\n"
           L"  --startup-time   print the time from process start to the first painted picture, then quit\n"
           L"  --version        print the version and quit\n"
           L"  --lang en|zh     the interface language (else PIXORAMA_LANG, the choice kept in the\n"
           L"                   settings, or English when the locale names English first)\n";
}

CMainFrame* CPixoramaApp::mainFrame() const
{
    return frame.data();
}

bool CPixoramaApp::InitInstance(const WorkbenchOptions& options)
{
    frame = new CMainFrame;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
    const bool ok = showStartPicture(options.image);
    gCTERRefreshAllView();
    ShowRawHistogram();
    return ok;
}

bool CPixoramaApp::showStartPicture(const std::wstring& image)
{
    if (!image.empty()) {
        shown = image;
        return OpenPicture(image);
    }
    const std::filesystem::path sample = SampleImage::locate();
    if (!sample.empty()) {
        shown = plat::fromPath(sample);
        gWorkState().imagePath = shown;
        if (readFile(workingCanvas, shown))
            return true;
    }
    // No sample file around (a bare copy of the program): make it here.
    shown.clear();
    return showGeneratedSample(workingCanvas);
}

bool CPixoramaApp::writeScreenshot(const std::wstring& path) const
{
    if (frame.isNull())
        return false;
    const QPixmap shot = frame->grab();
    return !shot.isNull() && plat::saveImage(shot.toImage(), path, "PNG");
}

int CPixoramaApp::run(const WorkbenchOptions& options)
{
    if (options.screenshot.empty()) {
        InitInstance(options);
        if (options.startupTime)
            return reportStartupTime();
        return QApplication::exec();
    }
    // Nobody answers dialogs here: a picture that needed one is not shown,
    // and the run ends at once with what was missing.
    const HeadlessDialogs answers;
    const bool shownOk = InitInstance(options);
    if (!shownOk) {
        if (!answers.refusal().empty())
            std::fprintf(stderr, "pixorama: %s: %s\n", plat::toUtf8(shown).c_str(), plat::toUtf8(answers.refusal()).c_str());
        if (frame)
            frame->close();
        return answers.refusal().empty() ? 1 : 2;
    }
    int code = 0;
    QTimer::singleShot(screenshotDelayMs, [&] {
        if (writeScreenshot(options.screenshot)) {
            std::printf("screenshot: %s\n", plat::toUtf8(options.screenshot).c_str());
            std::printf("toolbar images: %d\n", toolbarImages(*frame));
        } else {
            std::fprintf(stderr, "could not write the screenshot %s\n", plat::toUtf8(options.screenshot).c_str());
            code = 1;
        }
        if (frame)
            frame->close();
        QApplication::exit(code);
    });
    QApplication::exec();
    return code;
}

int CPixoramaApp::reportStartupTime()
{
    EleContainer* layout = gCTERGetContainer();
    if (layout == nullptr)
        return 1;
    afterFirstPaint(layout->viewArea()->view(workingView), [] {
        std::printf("first painted frame after %.1f ms\n", secondsSinceProcessStart() * 1000.0);
        std::fflush(stdout);
        QApplication::exit(0);
    });
    return QApplication::exec();
}
