#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Wnd.h"

#include <QPointer>

#include <memory>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// The object tree: measurement, region and fitting objects under the root
// "对象信息", one item each, with check boxes. A click on an object tells
// the owner, its parent and the root window (0x084F with the item text);
// every deletion tells them first (0x0852).
class QEVInfoTree : public plat::Wnd {
public:
    enum Category { Measure = 0, ROI = 1, Fitting = 2 };

    explicit QEVInfoTree(plat::Wnd* parent);
    ~QEVInfoTree() override;

    // The window notified; the parent unless set.
    void SetOwner(QWidget* window) { owner = window; }

    QTreeWidget* Tree() const { return tree; }
    QTreeWidgetItem* CategoryItem(Category c) const;

    void InsertMeasureInfo(const CString& text) { Insert(Measure, text); }
    void InsertROIInfo(const CString& text) { Insert(ROI, text); }
    void InsertFittingInfo(const CString& text) { Insert(Fitting, text); }
    // Deletes the first object of the category whose text contains text.
    void DeleteMeasureInfo(const CString& text) { DeleteFirst(Measure, text); }
    void DeleteROIInfo(const CString& text) { DeleteFirst(ROI, text); }
    void DeleteFittingInfo(const CString& text) { DeleteFirst(Fitting, text); }

    void DeleteAll(Category c);
    void DeleteTicked(Category c);

    void OnItemClicked(QTreeWidgetItem* item, bool control);
    std::unique_ptr<QMenu> ContextMenu(QTreeWidgetItem* item);
    void OnCommand(int id);

protected:
    void onSize(int width, int height) override;

private:
    void Insert(Category c, const CString& text);
    void DeleteFirst(Category c, const CString& text);
    void DeleteChild(Category c, int row);

    QTreeWidget* tree = nullptr;
    QPointer<QWidget> owner;
};
