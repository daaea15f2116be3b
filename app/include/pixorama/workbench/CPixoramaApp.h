#pragma once

#include <QPointer>
#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;

// What the command line asks for: pixorama [--screenshot FILE] [IMAGE]
struct WorkbenchOptions {
    std::wstring image;      // empty: the bundled sample
    std::wstring screenshot; // empty: run interactively
    bool help = false;
    bool startupTime = false; // print the time to the first painted frame, then quit
    std::wstring language;   // "en" or "zh" from --lang; empty: PIXORAMA_LANG, settings, locale
    std::wstring error;      // set when the command line is not understood
};

// The workbench program: opens the main window, shows the picture on the
// working canvas and, when asked, writes a PNG of the whole window and
// quits.
class CPixoramaApp {
public:
    static constexpr int workingCanvas = 4;

    // arguments[0] is the program name.
    static WorkbenchOptions parseCommandLine(const QStringList& arguments);
    static std::wstring usage();

    // Creates and shows the main window and shows the picture. False when
    // the picture could not be shown (the window stays open, empty).
    bool InitInstance(const WorkbenchOptions& options);
    // InitInstance, then the event loop; returns the exit code.
    int run(const WorkbenchOptions& options);

    CMainFrame* mainFrame() const;
    // The picture shown at start; the sample's path when none was given.
    const std::wstring& shownPath() const { return shown; }

    // Writes a PNG of the whole main window; false when it cannot.
    bool writeScreenshot(const std::wstring& path) const;

private:
    bool showStartPicture(const std::wstring& image);
    // Waits for canvas 4's first paint, prints the time since the process
    // started and quits.
    int reportStartupTime();

    QPointer<CMainFrame> frame;
    std::wstring shown;
};
