// Full screen, always on top, smooth shrinking, the frame's keys and files dropped on it.
#include "pixorama/workbench/CMainFrame.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/parlet/MenuBuilders.h"
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/OpenPicture.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/WorkState.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

namespace {

// The first local file of a drag, empty when there is none.
QString droppedFile(const QMimeData* mime)
{
    if (mime == nullptr || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

void CMainFrame::ToggleFullScreen()
{
    if (fullScreen)
        LeaveFullScreen();
    else
        EnterFullScreen();
}

void CMainFrame::EnterFullScreen()
{
    // A second entry would save the full-screen geometry as the one to go
    // back to.
    if (fullScreen)
        return;
    savedGeometry = geometry();
    gDeleteAllMenu(this);
    menuBar()->hide();
    showFullScreen();
    fullScreen = true;
}

void CMainFrame::LeaveFullScreen()
{
    if (!fullScreen)
        return;
    showNormal();
    menuBar()->show();
    InstallMainMenu();
    setGeometry(savedGeometry);
    fullScreen = false;
}

void CMainFrame::ToggleAlwaysOnTop()
{
    WorkState& state = gWorkState();
    state.alwaysOnTop = !state.alwaysOnTop;
    const QRect place = geometry();
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, state.alwaysOnTop);
    // Changing the flags hides the window; it comes back where it was.
    setGeometry(place);
    if (shown)
        show();
}

namespace {

// "View" / "SmoothWhenShrunk" of settings.ini in the writable folder: 1 or 0.
constexpr const wchar_t* smoothSection = L"View";
constexpr const wchar_t* smoothKey = L"SmoothWhenShrunk";

std::wstring settingsFile()
{
    return plat::fromPath(plat::writableFolder() / "settings.ini");
}

} // namespace

void CMainFrame::LoadSmoothWhenShrunk()
{
    ApplySmoothWhenShrunk(plat::getProfileInt(smoothSection, smoothKey, 1, settingsFile()) != 0);
}

void CMainFrame::ToggleSmoothWhenShrunk()
{
    ApplySmoothWhenShrunk(!smoothWhenShrunk);
    plat::writeProfileString(smoothSection, smoothKey, smoothWhenShrunk ? L"1" : L"0", settingsFile());
    gCTERRefreshAllView();
}

void CMainFrame::ApplySmoothWhenShrunk(bool smooth)
{
    smoothWhenShrunk = smooth;
    for (int id = 0; id < CanvasTable::count; ++id)
        gCVSSetCanvasSmoothWhenShrunk(id, smoothWhenShrunk);
    if (QAction* entry = menuAction(ID_SMOOTH_WHEN_SHRUNK))
        entry->setChecked(smoothWhenShrunk);
}

void CMainFrame::onKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Escape)
        LeaveFullScreen();
    if ((key == Qt::Key_Escape || key == Qt::Key_X) && (modifiers & Qt::ControlModifier))
        EnterFullScreen();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // A released button ends a live adjustment's gesture: its step closes.
    if (event->type() == QEvent::MouseButtonRelease)
        gPictureHistory().EndGesture();
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* widget = static_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        // An ignored key travels up the parents and passes here again: take
        // it where it arrives first.
        const QWidget* focus = QApplication::focusWidget();
        const QWidget* first = focus != nullptr && focus->window() == this ? focus : this;
        if (widget == first)
            onKeyDown(key->key(), key->modifiers());
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    // Only files a decoder (or the raw-load dialog) takes are accepted.
    const QString path = droppedFile(event->mimeData());
    if (!path.isEmpty() && gCVSCanReadFile(path.toStdWString()))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenPicture(path.toStdWString());
}
