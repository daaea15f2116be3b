#pragma once

#include "pixorama/common/CString.h"

#include <QBasicTimer>
#include <QListWidget>

#include <functional>
#include <vector>

class QDrag;

// A list whose lines can be dragged into another list of the same kind: a
// source offers the line under a press that is held past a short delay (a
// quick click stays a click), a target inserts a dropped line after the
// line under the pointer. A right click deletes the line under it in any
// list. Lines travel in a private format only these lists exchange.
class CDragAndDropListBox : public QListWidget {
    Q_OBJECT

public:
    enum Role { RoleNone = 0, RoleSource = 1, RoleTarget = 2 };

    // How long a press must be held before it becomes a drag.
    static constexpr int kDragDelayMs = 250;
    static const char* const kLineFormat;

    explicit CDragAndDropListBox(QWidget* parent = nullptr);
    ~CDragAndDropListBox() override;

    void SetRole(int role);
    int GetRole() const { return m_Role; }
    bool IsDragging() const { return m_bDragging; }
    // Line under the last left press, -1 when none.
    int GetPressIndex() const { return m_PressIndex; }
    // Adds a line by its Chinese text; it shows in the current language.
    void InsertLine(int row, const QString& line);
    void AddLine(const QString& line) { InsertLine(count(), line); }
    // The lines by their Chinese texts, whatever the language shown.
    std::vector<CString> Lines() const;

    // Lets drops in when the role is "target"; called whenever the role changes.
    virtual void RegisterDropTarget();

    // Runs a drag instead of QDrag::exec (tests and scripts, which have no
    // pointer to move); an empty runner restores the real drag.
    using DragRunner = std::function<Qt::DropAction(QDrag& drag)>;
    static void SetDragRunner(DragRunner runner);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static constexpr int kSourceRole = Qt::UserRole + 1;
    QString SourceOf(int row) const;

    void StartDrag();
    bool Accepts(const QDropEvent* event) const;

    int m_PressIndex = -1;
    bool m_bDragging = false;
    bool m_bLeftDown = false;
    int m_Role = RoleNone;
    QBasicTimer m_DragTimer;
};
