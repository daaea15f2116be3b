#pragma once

#include <QMainWindow>

#include <array>
#include <string>

class CPixoramaView;
class QLabel;
class QProgressBar;

// The main window: the view in the middle and a status bar of four panes
// (progress, cursor, pixel and editing information).
class CMainFrame : public QMainWindow {
public:
    static constexpr int paneCount = 4;

    CMainFrame();

    CPixoramaView* view() const { return centre; }
    // Out-of-range panes are ignored or read as empty.
    void setPaneText(int pane, const std::wstring& text);
    std::wstring paneText(int pane) const;
    QProgressBar* progressCtrl() const { return progress; }

private:
    void createStatusBar();

    CPixoramaView* centre = nullptr;
    std::array<QLabel*, paneCount> panes{};
    QProgressBar* progress = nullptr;
};
