#include "pixorama/parlet/CDragAndDropListBox.h"

#include "pixorama/platform/Translation.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimerEvent>

#include <mutex>

const char* const CDragAndDropListBox::kLineFormat = "application/x-pixorama-step-line";

namespace {

struct RunnerSlot {
    std::mutex mutex;
    CDragAndDropListBox::DragRunner runner;
};

RunnerSlot& runnerSlot()
{
    static RunnerSlot slot;
    return slot;
}

// Takes a drag that passes over the list as a copy, or turns it away.
void offerCopy(QDropEvent* event, bool accepted)
{
    if (!accepted) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace

CDragAndDropListBox::CDragAndDropListBox(QWidget* parent) : QListWidget(parent)
{
    setFont(QFont(QStringLiteral("微软雅黑"), 12));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Drags are started here, not by the view's own drag logic.
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    RegisterDropTarget();
}

CDragAndDropListBox::~CDragAndDropListBox() = default;

void CDragAndDropListBox::SetDragRunner(DragRunner runner)
{
    RunnerSlot& slot = runnerSlot();
    std::lock_guard lock(slot.mutex);
    slot.runner = std::move(runner);
}

void CDragAndDropListBox::SetRole(int role)
{
    m_Role = role;
    RegisterDropTarget();
}

void CDragAndDropListBox::RegisterDropTarget()
{
    const bool target = m_Role == RoleTarget;
    setAcceptDrops(target);
    viewport()->setAcceptDrops(target);
}

void CDragAndDropListBox::InsertLine(int row, const QString& line)
{
    auto* entry = new QListWidgetItem(plat::tr(line));
    entry->setData(kSourceRole, line);
    insertItem(row, entry);
}

QString CDragAndDropListBox::SourceOf(int row) const
{
    const QVariant source = item(row)->data(kSourceRole);
    return source.isValid() ? source.toString() : item(row)->text();
}

std::vector<CString> CDragAndDropListBox::Lines() const
{
    std::vector<CString> lines;
    lines.reserve(std::size_t(count()));
    for (int i = 0; i < count(); ++i)
        lines.push_back(SourceOf(i).toStdWString());
    return lines;
}

void CDragAndDropListBox::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex under = indexAt(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        if (under.isValid())
            delete takeItem(under.row());
        return;
    }
    QListWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_bLeftDown = true;
    m_PressIndex = under.isValid() ? under.row() : -1;
    if (m_PressIndex < 0)
        return;
    setCurrentRow(m_PressIndex);
    // A release before the timer fires makes this a click.
    if (m_Role == RoleSource)
        m_DragTimer.start(kDragDelayMs, this);
}

void CDragAndDropListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bLeftDown = false;
        m_DragTimer.stop();
    }
    QListWidget::mouseReleaseEvent(event);
}

void CDragAndDropListBox::mouseMoveEvent(QMouseEvent* event)
{
    // No rubber-band selection while a press waits to become a drag.
    if (m_bLeftDown)
        return;
    QListWidget::mouseMoveEvent(event);
}

void CDragAndDropListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is two clicks here: it neither edits nor drags.
    if (event->button() == Qt::LeftButton)
        m_bLeftDown = true;
}

void CDragAndDropListBox::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_DragTimer.timerId()) {
        QListWidget::timerEvent(event);
        return;
    }
    m_DragTimer.stop();
    if (m_bLeftDown && m_Role == RoleSource)
        StartDrag();
}

void CDragAndDropListBox::StartDrag()
{
    if (m_PressIndex < 0 || m_PressIndex >= count())
        return;
    auto* data = new QMimeData;
    data->setData(kLineFormat, SourceOf(m_PressIndex).toUtf8());
    QDrag drag(this);
    drag.setMimeData(data);
    DragRunner runner;
    {
        RunnerSlot& slot = runnerSlot();
        std::lock_guard lock(slot.mutex);
        runner = slot.runner;
    }
    m_bDragging = true;
    if (runner)
        runner(drag);
    else
        drag.exec(Qt::CopyAction);
    m_bDragging = false;
    // The drag ate the release.
    m_bLeftDown = false;
}

bool CDragAndDropListBox::Accepts(const QDropEvent* event) const
{
    return m_Role == RoleTarget && event->mimeData() != nullptr && event->mimeData()->hasFormat(kLineFormat);
}

void CDragAndDropListBox::dragEnterEvent(QDragEnterEvent* event)
{
    offerCopy(event, Accepts(event));
}

void CDragAndDropListBox::dragMoveEvent(QDragMoveEvent* event)
{
    offerCopy(event, Accepts(event));
}

void CDragAndDropListBox::dropEvent(QDropEvent* event)
{
    if (!Accepts(event)) {
        event->ignore();
        return;
    }
    const QString line = QString::fromUtf8(event->mimeData()->data(kLineFormat));
    // After the line under the pointer; below the last line means at the end.
    const QModelIndex under = indexAt(event->position().toPoint());
    const int at = under.isValid() ? under.row() + 1 : count();
    InsertLine(at, line);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
