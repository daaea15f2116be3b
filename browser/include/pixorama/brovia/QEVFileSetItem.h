#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Wnd.h"

#include <memory>
#include <vector>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// The folder tree. The root "我的电脑" lists the file-system roots a user
// has; a folder fills with its subfolders and files when first expanded
// (only files with the filter's extension while the filter is on). A click
// on a file asks the application, the owner layout's parent, to open it
// (0x084E); the context menu
// adds an item to one of the file lists (0x084C to the owner layout).
class QEVFileSetItem : public plat::Wnd {
public:
    explicit QEVFileSetItem(plat::Wnd* ownerLayout);
    ~QEVFileSetItem() override;

    QTreeWidget* Tree() const { return tree; }
    QTreeWidgetItem* Root() const;

    // "/", the home folder, and the mounted volumes under /media and /mnt.
    static std::vector<CString> DefaultRoots();
    // The folders listed under the root; rebuilds the tree.
    void SetRoots(const std::vector<CString>& folders);
    // Clears the tree and lists the roots again.
    void Rebuild();
    // ext without the dot ("bmp", "raw").
    void SetFilter(const CString& ext, bool on);
    const CString& GetFilter() const { return filter; }
    bool IsFilterOn() const { return filterOn; }

    CString GetFullPath(const QTreeWidgetItem* item) const;
    // The last file clicked.
    const CString& GetCurrentPath() const { return currentPath; }
    // Lists a folder item's children unless done already.
    void FillItem(QTreeWidgetItem* item);
    // The item the user found under the pointer, the way a click reaches it.
    void OnItemClicked(QTreeWidgetItem* item);

    // The context menu for item (null: empty space); each action's data is
    // its command id, and triggering it runs the command on item.
    std::unique_ptr<QMenu> ContextMenu(QTreeWidgetItem* item);
    void OnCommand(int id, QTreeWidgetItem* item);

protected:
    void onSize(int width, int height) override;

private:
    QTreeWidget* tree = nullptr;
    plat::Wnd* owner;
    std::vector<CString> roots;
    CString currentPath;
    CString filter = L"bmp";
    bool filterOn = false;
};
