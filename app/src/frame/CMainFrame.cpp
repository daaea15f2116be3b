#include "pixorama/workbench/CMainFrame.h"

#include "pixorama/parlet/MenuBuilders.h"
#include "pixorama/workbench/CPixoramaView.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/WorkState.h"

#include <QApplication>
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
    setWindowTitle(QString::fromWCharArray(title));
    setAcceptDrops(true);
    centre = new CPixoramaView(this);
    setCentralWidget(centre);
    InstallMainMenu();
    createToolBar();
    createStatusBar();
    createShortcuts();
    qApp->installEventFilter(this);
    resize(1400, 900);
}

CMainFrame::~CMainFrame()
{
    WorkState& state = gWorkState();
    if (state.progress == progress)
        state.progress = nullptr;
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
