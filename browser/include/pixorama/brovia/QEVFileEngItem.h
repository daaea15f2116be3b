#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Wnd.h"

#include <memory>
#include <vector>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// The two file lists ("project one" and "project two") under the root
// "图像序列": full paths in the order added, duplicates kept. The tree shows
// each list's paths under "图像序列一" and "图像序列二" in the same order.
// Files dropped from a file manager join list one; a Ctrl-click on a file
// asks the owner, its parent and the root window to open it (0x084E).
class QEVFileEngItem : public plat::Wnd {
public:
    explicit QEVFileEngItem(plat::Wnd* owner);
    ~QEVFileEngItem() override;

    QTreeWidget* Tree() const { return tree; }
    // The heading item of list 1 or 2.
    QTreeWidgetItem* ListItem(int list) const;
    std::vector<CString>& List(int list) { return list == 2 ? two : one; }
    const std::vector<CString>& List(int list) const { return list == 2 ? two : one; }

    void AddFiles(int list, const std::vector<CString>& paths);
    void DeleteAll(int list);
    void DeleteSelected(int list);
    // Appends the files of folder matching mask ("*.raw"), in name order.
    void AddFolder(int list, const CString& folder, const wchar_t* mask);
    // Replaces list one with the project's paths; a project that cannot be
    // read leaves list one as it was and says so.
    bool ReadProject(const CString& path);
    // Writes list one; says so when it cannot.
    bool WriteProject(const CString& path);

    void OnItemClicked(QTreeWidgetItem* item, bool control);
    // The context menu for item; null where there is none. Each action's
    // data is its command id.
    std::unique_ptr<QMenu> ContextMenu(QTreeWidgetItem* item);
    void OnCommand(int id);

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void onSize(int width, int height) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ChooseFiles(int list);
    void ChooseFolder(const wchar_t* mask);
    void ChooseProjectToRead();
    void ChooseProjectToWrite();

    QTreeWidget* tree = nullptr;
    plat::Wnd* owner;
    std::vector<CString> one;
    std::vector<CString> two;
};
