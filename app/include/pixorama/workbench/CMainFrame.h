#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QRect>

#include <string>

class CPixoramaView;
class QAction;
class QProgressBar;
class QToolBar;
class ResultsDock;

// The main window: menus, toolbar, the view in the middle and a status bar
// of four panes (progress, cursor, pixel and editing information). Every
// command id of the menus, the toolbar and the keyboard arrives at
// OnCommand, which routes it by range to a handler group.
class CMainFrame : public QMainWindow {
public:
    static constexpr int paneCount = 4;
    static constexpr int cursorPane = 1;
    static constexpr int editPane = 3;

    CMainFrame();
    ~CMainFrame() override;

    CPixoramaView* view() const { return centre; }
    QToolBar* toolBar() const { return tools; }
    QProgressBar* progressCtrl() const { return progress; }
    // The "测量结果" window, hidden until asked for or given rows.
    ResultsDock* resultsDock() const { return results; }
    // Out-of-range panes are ignored or read as empty.
    void setPaneText(int pane, const std::wstring& text);
    std::wstring paneText(int pane) const;

    // Rebuilds the menu bar from the tables, with Ctrl+O and F5 shown on
    // their entries, the automatic window in "视图" and the recent files at
    // the end of "基本功能", then "撤销" (Ctrl+Z) and "重做" (Ctrl+Y,
    // Ctrl+Shift+Z).
    void InstallMainMenu();
    // The menu entry with this command id; null when there is none.
    QAction* menuAction(int id) const;
    QMenu* recentMenu() const { return recent; }
    // The edit pane names the step Undo would take back ("撤销：负片");
    // "撤销" and "重做" are enabled when they have a step.
    void ShowHistory();

    // WM_COMMAND: routes id to its handler group; ids outside every range
    // do nothing.
    void OnCommand(int id);

    bool isFullScreenMode() const { return fullScreen; }
    void ToggleFullScreen();
    void EnterFullScreen();
    // Changes nothing when full screen is off.
    void LeaveFullScreen();
    void ToggleAlwaysOnTop();
    // Every canvas draws shrunk pictures smooth, or nearest pixel; the entry
    // in "视图" shows which. The choice is kept in settings.ini and read
    // back at start.
    void ToggleSmoothWhenShrunk();
    bool isSmoothWhenShrunk() const { return smoothWhenShrunk; }

    virtual void OnViewModeCommand(int id);
    virtual void OnSelectionCommand(int id);
    virtual void OnEditCommand(int id);
    virtual void OnEnhanceCommand(int id);
    virtual void OnArtCommand(int id);
    virtual void OnBasicCommand(int id);
    virtual void OnLargeFovCommand(int id);
    virtual void OnVolumeCommand(int id);
    virtual void OnReconCommand(int id);
    virtual void OnScriptCommand(int id);
    virtual void OnAnalysisCommand(int id);
    virtual void OnSegmentCommand(int id);
    void OnDrTestCommand(int id);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Running sequence jobs are cancelled and waited for before the window goes.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The frame's key habits (Esc, Ctrl+Esc, Ctrl+X) for every key that
    // reaches one of its windows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolBar();
    void createStatusBar();
    void createShortcuts();
    void connectSequenceJobs();
    void stopSequenceJobs();
    void addFrameEntries();
    void addLanguageMenu(QMenu& view);
    void fillRecentMenu();
    void onKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void LoadSmoothWhenShrunk();
    void ApplySmoothWhenShrunk(bool smooth);

    CPixoramaView* centre = nullptr;
    QToolBar* tools = nullptr;
    QProgressBar* progress = nullptr;
    QPointer<QMenu> recent;
    ResultsDock* results = nullptr;
    bool fullScreen = false;
    bool smoothWhenShrunk = true;
    QRect savedGeometry;
};
