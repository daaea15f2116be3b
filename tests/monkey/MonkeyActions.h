#pragma once

#include "MonkeyLog.h"
#include "MonkeyRandom.h"

#include <string>
#include <vector>

class CMainFrame;
class QAction;
class QWidget;

// One random user action at a time on the main window: a menu command or
// toolbar button, clicks, drags, wheel turns and keys on any visible window
// (canvases, view bars, the browser's tree, lists, strips and panels), a
// file dropped on the frame, full screen on or off, a new window size, or
// a pause that lets running jobs go on.
class MonkeyActions {
public:
    MonkeyActions(CMainFrame& frame, MonkeyRandom& random, MonkeyLog& log, std::vector<std::wstring> corpus);

    // Does one action and the events it caused; returns what it did.
    std::string Step();

private:
    std::string command();
    std::string mouse();
    std::string wheel();
    std::string key();
    std::string drop();
    std::string fullScreen();
    std::string resize();
    std::string pause();

    std::vector<QAction*> commands() const;
    QWidget* target();

    CMainFrame& frame;
    MonkeyRandom& random;
    MonkeyLog& log;
    std::vector<std::wstring> corpus;
};
