#include "pixorama/brovia/QEVFileEngItem.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/BrowserString.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/common/OSDIR.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include "TreeControls.h"
#include "pixorama/platform/SourceText.h"
#include "pixorama/platform/Translation.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

namespace {

const wchar_t* const projectFilter = L"工程文件格式(*.srl) |*.srl||";

int listOfItem(const QTreeWidgetItem* item, const QTreeWidgetItem* one, const QTreeWidgetItem* two)
{
    for (; item != nullptr; item = item->parent()) {
        if (item == one)
            return 1;
        if (item == two)
            return 2;
    }
    return 0;
}

} // namespace

QEVFileEngItem::QEVFileEngItem(plat::Wnd* ownerWindow) : plat::Wnd(ownerWindow), owner(ownerWindow)
{
    SetCtrlId(this, IDC_LAYOUT_FILEENG);
    setFocusPolicy(Qt::NoFocus);
    setAcceptDrops(true);
    tree = NewTreeControl(this, IDC_FILEENG_TREE, 10);
    tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree->setAcceptDrops(false);
    auto* root = new QTreeWidgetItem;
    plat::setSourceText(root, 0, QStringLiteral("图像序列"));
    tree->addTopLevelItem(root);
    for (const QString& list : {QStringLiteral("图像序列一"), QStringLiteral("图像序列二")}) {
        auto* child = new QTreeWidgetItem;
        plat::setSourceText(child, 0, list);
        root->addChild(child);
    }
    root->setExpanded(true);
    WatchTree(
        tree, [this](QTreeWidgetItem* item, bool control) { OnItemClicked(item, control); },
        [this](QTreeWidgetItem* item) { return ContextMenu(item); });
}

QEVFileEngItem::~QEVFileEngItem() = default;

QTreeWidgetItem* QEVFileEngItem::ListItem(int list) const
{
    return tree->topLevelItem(0)->child(list == 2 ? 1 : 0);
}

void QEVFileEngItem::AddFiles(int list, const std::vector<CString>& paths)
{
    if (paths.empty())
        return;
    std::vector<CString>& target = List(list);
    target.insert(target.end(), paths.begin(), paths.end());
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(paths.size()));
    for (const CString& path : paths)
        items.append(new QTreeWidgetItem(QStringList{QString::fromStdWString(path)}));
    tree->setUpdatesEnabled(false);
    ListItem(list)->addChildren(items);
    ListItem(list)->setExpanded(true);
    tree->setUpdatesEnabled(true);
}

void QEVFileEngItem::DeleteAll(int list)
{
    List(list).clear();
    qDeleteAll(ListItem(list)->takeChildren());
}

void QEVFileEngItem::DeleteSelected(int list)
{
    QTreeWidgetItem* heading = ListItem(list);
    std::vector<CString>& paths = List(list);
    // Children and paths share their order; walk back so indices hold.
    for (int i = heading->childCount() - 1; i >= 0; --i) {
        if (!heading->child(i)->isSelected())
            continue;
        delete heading->takeChild(i);
        paths.erase(paths.begin() + i);
    }
}

void QEVFileEngItem::AddFolder(int list, const CString& folder, const wchar_t* mask)
{
    std::vector<CString> found;
    OSDIR::FindFile(folder.c_str(), found, false, mask);
    AddFiles(list, found);
}

bool QEVFileEngItem::ReadProject(const CString& path)
{
    std::vector<CString> paths;
    CString why;
    if (!OSDIR::Read(plat::toUtf8(path).c_str(), paths, &why)) {
        plat::messageBox(plat::tr(L"工程文件读取失败：") + path + L"\n" + plat::tr(why), L"Pixorama", plat::MB_OK | plat::MB_ICONWARNING);
        return false;
    }
    DeleteAll(1);
    AddFiles(1, paths);
    return true;
}

bool QEVFileEngItem::WriteProject(const CString& path)
{
    if (!OSDIR::Write(plat::toUtf8(path).c_str(), one)) {
        plat::messageBox(plat::tr(L"工程文件写入失败：") + path, L"Pixorama", plat::MB_OK | plat::MB_ICONWARNING);
        return false;
    }
    return true;
}

void QEVFileEngItem::OnItemClicked(QTreeWidgetItem* item, bool control)
{
    // Only the paths under a list heading are files.
    if (!control || item == nullptr || item->parent() == nullptr || item->parent()->parent() == nullptr)
        return;
    const CString path = item->text(0).toStdWString();
    for (plat::Wnd* target : NotifyChain(owner))
        SendStringMessage(target, WM_LAYOUT_OPENFILE, 1, path);
}

std::unique_ptr<QMenu> QEVFileEngItem::ContextMenu(QTreeWidgetItem* item)
{
    const int list = listOfItem(item, ListItem(1), ListItem(2));
    if (list == 0)
        return nullptr;
    auto menu = std::make_unique<QMenu>();
    const auto run = [this](int id) { OnCommand(id); };
    if (list == 2) {
        AddCommand(*menu, L"添加文件", ID_FILEENG_TWO_ADDFILES, run);
        AddCommand(*menu, L"删除全部文件", ID_FILEENG_TWO_DELETEALL, run);
        AddCommand(*menu, L"删除选中文件", ID_FILEENG_TWO_DELETESELECTED, run);
        return menu;
    }
    AddCommand(*menu, L"添加文件", ID_FILEENG_ONE_ADDFILES, run);
    AddCommand(*menu, L"删除全部文件", ID_FILEENG_ONE_DELETEALL, run);
    AddCommand(*menu, L"删除选中文件", ID_FILEENG_ONE_DELETESELECTED, run);
    QMenu* folder = menu->addMenu(QString());
    plat::setSourceText(folder->menuAction(), QStringLiteral("添加目录里的文件"));
    AddCommand(*folder, L"Raw", ID_FILEENG_ONE_FOLDERRAW, run);
    AddCommand(*folder, L"Lip", ID_FILEENG_ONE_FOLDERLIP, run);
    AddCommand(*folder, L"Bmp", ID_FILEENG_ONE_FOLDERBMP, run);
    AddCommand(*folder, L"Jpg", ID_FILEENG_ONE_FOLDERJPG, run);
    AddCommand(*menu, L"读取工程", ID_FILEENG_ONE_READPROJECT, run);
    AddCommand(*menu, L"输出工程", ID_FILEENG_ONE_WRITEPROJECT, run);
    return menu;
}

void QEVFileEngItem::OnCommand(int id)
{
    switch (id) {
    case ID_FILEENG_ONE_ADDFILES: ChooseFiles(1); break;
    case ID_FILEENG_ONE_DELETEALL: DeleteAll(1); break;
    case ID_FILEENG_ONE_DELETESELECTED: DeleteSelected(1); break;
    case ID_FILEENG_ONE_FOLDERRAW: ChooseFolder(L"*.raw"); break;
    case ID_FILEENG_ONE_FOLDERLIP: ChooseFolder(L"*.lip"); break;
    case ID_FILEENG_ONE_FOLDERBMP: ChooseFolder(L"*.bmp"); break;
    case ID_FILEENG_ONE_FOLDERJPG: ChooseFolder(L"*.jpg"); break;
    case ID_FILEENG_ONE_READPROJECT: ChooseProjectToRead(); break;
    case ID_FILEENG_ONE_WRITEPROJECT: ChooseProjectToWrite(); break;
    case ID_FILEENG_TWO_ADDFILES: ChooseFiles(2); break;
    case ID_FILEENG_TWO_DELETEALL: DeleteAll(2); break;
    case ID_FILEENG_TWO_DELETESELECTED: DeleteSelected(2); break;
    default: break;
    }
}

void QEVFileEngItem::ChooseFiles(int list)
{
    std::vector<CString> paths;
    if (OSDIR::GetMultiFile(paths, 0))
        AddFiles(list, paths);
}

void QEVFileEngItem::ChooseFolder(const wchar_t* mask)
{
    const CString folder = OSDIR::GetDir();
    if (folder != L"NULL")
        AddFolder(1, folder, mask);
}

void QEVFileEngItem::ChooseProjectToRead()
{
    plat::FileDialogRequest request;
    request.filter = projectFilter;
    request.defaultExtension = L"srl";
    const std::vector<std::wstring> chosen = plat::fileDialog(request);
    if (!chosen.empty())
        ReadProject(chosen.front());
}

void QEVFileEngItem::ChooseProjectToWrite()
{
    plat::FileDialogRequest request;
    request.save = true;
    request.overwritePrompt = true;
    request.filter = projectFilter;
    request.defaultExtension = L"srl";
    const std::vector<std::wstring> chosen = plat::fileDialog(request);
    if (!chosen.empty())
        WriteProject(chosen.front());
}

std::intptr_t QEVFileEngItem::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (msg != WM_LAYOUT_ADDTOLIST)
        return plat::Wnd::onMessage(msg, wParam, lParam);
    OwnedBSTR path(lParam);
    if (wParam == 1 || wParam == 2)
        AddFiles(int(wParam), {path.str()});
    return 0;
}

void QEVFileEngItem::onSize(int width, int height)
{
    tree->setGeometry(0, 0, width, height);
}

void QEVFileEngItem::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void QEVFileEngItem::dropEvent(QDropEvent* event)
{
    std::vector<CString> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdWString());
    AddFiles(1, paths);
    event->acceptProposedAction();
}
