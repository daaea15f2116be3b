#include "pixorama/brovia/QEVFileSetItem.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/BrowserString.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/platform/Strings.h"

#include "FolderListing.h"
#include "TreeControls.h"
#include "pixorama/platform/SourceText.h"

#include <QDir>
#include <QMenu>
#include <QStorageInfo>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int pathRole = Qt::UserRole;
constexpr int folderRole = Qt::UserRole + 1;
constexpr int filledRole = Qt::UserRole + 2;

QTreeWidgetItem* newItem(const std::filesystem::path& path, const QString& text, bool folder)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, pathRole, QString::fromStdWString(plat::fromPath(path)));
    item->setData(0, folderRole, folder);
    if (folder)
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

QString nameOf(const std::filesystem::path& path)
{
    return QString::fromStdWString(plat::fromPath(path.filename()));
}

} // namespace

QEVFileSetItem::QEVFileSetItem(plat::Wnd* ownerLayout) : plat::Wnd(ownerLayout), owner(ownerLayout)
{
    SetCtrlId(this, IDC_LAYOUT_FILESET);
    setFocusPolicy(Qt::NoFocus);
    tree = NewTreeControl(this, IDC_FILESET_TREE, 10);
    connect(tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { FillItem(item); });
    WatchTree(
        tree, [this](QTreeWidgetItem* item, bool) { OnItemClicked(item); },
        [this](QTreeWidgetItem* item) { return ContextMenu(item); });
    roots = DefaultRoots();
    Rebuild();
}

QEVFileSetItem::~QEVFileSetItem() = default;

std::vector<CString> QEVFileSetItem::DefaultRoots()
{
    std::vector<CString> out{L"/"};
    const QString home = QDir::homePath();
    if (home != QStringLiteral("/"))
        out.push_back(home.toStdWString());
    std::vector<CString> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady()
            && (root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/mnt/"))))
            volumes.push_back(root.toStdWString());
    }
    std::sort(volumes.begin(), volumes.end());
    out.insert(out.end(), volumes.begin(), volumes.end());
    return out;
}

QTreeWidgetItem* QEVFileSetItem::Root() const
{
    return tree->topLevelItem(0);
}

void QEVFileSetItem::SetRoots(const std::vector<CString>& folders)
{
    roots = folders;
    Rebuild();
}

void QEVFileSetItem::Rebuild()
{
    tree->clear();
    auto* root = new QTreeWidgetItem;
    plat::setSourceText(root, 0, QStringLiteral("我的电脑"));
    root->setData(0, folderRole, false);
    tree->addTopLevelItem(root);
    QList<QTreeWidgetItem*> children;
    for (const CString& folder : roots)
        children.append(newItem(plat::toPath(folder), QString::fromStdWString(folder), true));
    root->addChildren(children);
    root->setExpanded(true);
}

void QEVFileSetItem::SetFilter(const CString& ext, bool on)
{
    filter = ext;
    filterOn = on;
}

CString QEVFileSetItem::GetFullPath(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, pathRole).toString().toStdWString() : CString();
}

void QEVFileSetItem::FillItem(QTreeWidgetItem* item)
{
    if (item == nullptr || !item->data(0, folderRole).toBool() || item->data(0, filledRole).toBool())
        return;
    item->setData(0, filledRole, true);
    const FolderListing listing = ListFolder(plat::toPath(GetFullPath(item)), filterOn ? filter : CString());
    QList<QTreeWidgetItem*> children;
    children.reserve(qsizetype(listing.folders.size() + listing.files.size()));
    for (const auto& folder : listing.folders)
        children.append(newItem(folder, nameOf(folder), true));
    for (const auto& file : listing.files)
        children.append(newItem(file, nameOf(file), false));
    // One insertion, one repaint, however many entries.
    tree->setUpdatesEnabled(false);
    item->addChildren(children);
    if (children.isEmpty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    tree->setUpdatesEnabled(true);
}

void QEVFileSetItem::OnItemClicked(QTreeWidgetItem* item)
{
    if (item == nullptr || item->data(0, folderRole).toBool() || item == Root())
        return;
    currentPath = GetFullPath(item);
    // The application is the owner layout's parent.
    SendStringMessage(owner ? dynamic_cast<plat::Wnd*>(owner->parentWidget()) : nullptr, WM_LAYOUT_OPENFILE, 1,
                      currentPath);
}

std::unique_ptr<QMenu> QEVFileSetItem::ContextMenu(QTreeWidgetItem* item)
{
    auto menu = std::make_unique<QMenu>();
    const auto run = [this, item](int id) { OnCommand(id, item); };
    if (item == nullptr || item == Root()) {
        AddCommand(*menu, L"刷新内容", ID_FILESET_REFRESH, run);
        AddCommand(*menu, L"读取bmp位图", ID_FILESET_BMPONLY, run);
        AddCommand(*menu, L"读取raw位图", ID_FILESET_RAWONLY, run);
    } else {
        AddCommand(*menu, L"添加至工程一", ID_FILESET_ADDTOONE, run);
        AddCommand(*menu, L"添加至工程二", ID_FILESET_ADDTOTWO, run);
    }
    return menu;
}

void QEVFileSetItem::OnCommand(int id, QTreeWidgetItem* item)
{
    switch (id) {
    case ID_FILESET_REFRESH: SetFilter(filter, false); Rebuild(); break;
    case ID_FILESET_BMPONLY: SetFilter(L"bmp", true); Rebuild(); break;
    case ID_FILESET_RAWONLY: SetFilter(L"raw", true); Rebuild(); break;
    case ID_FILESET_ADDTOONE:
    case ID_FILESET_ADDTOTWO:
        if (item != nullptr && item != Root())
            SendStringMessage(owner, WM_LAYOUT_ADDTOLIST, id == ID_FILESET_ADDTOONE ? 1 : 2, GetFullPath(item));
        break;
    default: break;
    }
}

void QEVFileSetItem::onSize(int width, int height)
{
    tree->setGeometry(0, 0, width, height);
}
