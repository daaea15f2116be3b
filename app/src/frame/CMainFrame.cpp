#include "pixorama/workbench/CMainFrame.h"

#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/parlet/MenuBuilders.h"
#include "pixorama/platform/SourceText.h"
#include "pixorama/workbench/CPixoramaView.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/ResultsDock.h"
#include "pixorama/workbench/SequenceCancelButton.h"
#include "pixorama/workbench/SequenceJob.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/WorkState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QAction>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr const wchar_t* title = L"图像分析软件 https://pixorama.example";

} // namespace

CMainFrame::CMainFrame()
{
    plat::setSourceText(this, QString::fromWCharArray(title));
    setAcceptDrops(true);
    centre = new CPixoramaView(this, [this](const std::wstring& text) { setPaneText(cursorPane, text); });
    setCentralWidget(centre);
    results = new ResultsDock(this);
    addDockWidget(Qt::RightDockWidgetArea, results);
    results->hide();
    InstallMainMenu();
    LoadSmoothWhenShrunk();
    createToolBar();
    createStatusBar();
    createShortcuts();
    connectSequenceJobs();
    gPictureHistory().changed = [this] { ShowHistory(); };
    ShowHistory();
    qApp->installEventFilter(this);
    resize(1400, 900);
}

CMainFrame::~CMainFrame()
{
    stopSequenceJobs();
    WorkState& state = gWorkState();
    if (state.progress == progress)
        state.progress = nullptr;
    gPictureHistory().changed = nullptr;
}

void CMainFrame::createToolBar()
{
    tools = new QToolBar(this);
    const MenuTable table = ToolBarTable();
    gSetToolBar(this, *tools, table.items, table.count);
    for (QAction* button : tools->actions())
        connect(button, &QAction::triggered, this, [this, button] { OnCommand(gActionCommandId(button)); });
}

void CMainFrame::createStatusBar()
{
    progress = new QProgressBar;
    gCreateStatusBar(statusBar(), progress);
    // Workers find the progress control here.
    gWorkState().progress = progress;
    // Shown only while a sequence job runs; it and Esc cancel the jobs.
    statusBar()->addPermanentWidget(new SequenceCancelButton(statusBar()));
}

void CMainFrame::connectSequenceJobs()
{
    // Sequence commands work on the browser's first list and convert with
    // the display window the user set on the raw picture.
    SetSequenceFileSource([] {
        const std::vector<CString>* files = gLayOutOneGetFilesInOne();
        return files != nullptr ? *files : std::vector<CString>{};
    });
    SetDisplayWindowSource([] {
        const WorkState& state = gWorkState();
        return DisplayWindow{state.rawWindowLeft, state.rawWindowRight};
    });
}

void CMainFrame::stopSequenceJobs()
{
    // Jobs hand their progress to this thread, so wait only for running ones.
    if (SequenceJobsRunning()) {
        CancelSequenceJobs();
        WaitForSequenceJobs();
    }
    SetSequenceFileSource({});
    SetDisplayWindowSource({});
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (SequenceJobsRunning()) {
        CancelSequenceJobs();
        WaitForSequenceJobs();
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::setPaneText(int pane, const std::wstring& text)
{
    if (QLabel* label = gStatusBarPane(statusBar(), pane))
        label->setText(QString::fromStdWString(text));
}

std::wstring CMainFrame::paneText(int pane) const
{
    const QLabel* label = gStatusBarPane(statusBar(), pane);
    return label != nullptr ? label->text().toStdWString() : std::wstring{};
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    gStatusBarOnSize(statusBar(), progress);
}
