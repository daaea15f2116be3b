// What the layout's windows tell the application. Every string a message
// carries is freed exactly once by the window that receives it: after a
// session of clicks, menus and deletions through a whole layout, no string
// is left and each receiver read its own. Strip reports reach the layout's
// host.
#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/brovia/QEVDBLayOut.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/brovia/QEVFileSetItem.h"
#include "pixorama/brovia/QEVInfoTree.h"
#include "pixorama/brovia/QEVSelfDrawWndBase.h"
#include "pixorama/brovia/QEVWndParaColorIma.h"
#include "pixorama/platform/Strings.h"

#include "BrowserTestTools.h"
#include "TestHome.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

using Paths = std::vector<std::wstring>;

// A four-section layout in a view (the layout's parent) in a root window.
struct HostedLayout {
    HostedLayout()
    {
        root->resize(400, 700);
        view->setGeometry(0, 0, 400, 700);
        gLayOutOneSetLayOutType(1);
        gLayOutOneCreateForConcatAndRec(view, 900);
        gLayOutOneSetClient({0, 0, 400, 700});
        root->show();
        QApplication::processEvents();
        layout = gLayOutOneGetLayOut();
    }

    std::unique_ptr<browsertest::Receiver> root = std::make_unique<browsertest::Receiver>();
    browsertest::Receiver* view = new browsertest::Receiver(root.get());
    QEVDBLayOut* layout = nullptr;
};

TEST(StringOwnership, ASessionThroughTheLayoutLeavesNoStringBehind)
{
    const long before = SysStringsAlive();
    std::ofstream(TestHome::path() / "one.raw") << "x";
    HostedLayout hosted;
    browsertest::Receiver* root = hosted.root.get();
    browsertest::Receiver* view = hosted.view;
    QEVDBLayOut* layout = hosted.layout;

    // Folder tree: a click opens, the menu adds to list two.
    QEVFileSetItem* folders = layout->FileSet();
    folders->SetRoots({plat::fromPath(TestHome::path())});
    QTreeWidgetItem* disk = folders->Root()->child(0);
    folders->Tree()->expandItem(disk);
    QApplication::processEvents();
    ASSERT_EQ(disk->childCount(), 1);
    viewtest::release(folders->Tree()->viewport(), folders->Tree()->visualItemRect(disk->child(0)).center());
    folders->OnCommand(ID_FILESET_ADDTOTWO, disk->child(0));
    const std::wstring path = plat::fromPath(TestHome::path() / "one.raw");
    EXPECT_EQ(view->texts(WM_LAYOUT_OPENFILE), (Paths{path}));
    EXPECT_TRUE(root->texts(WM_LAYOUT_OPENFILE).empty());
    EXPECT_EQ(layout->FileEng()->List(2), (Paths{path}));

    // File lists: a Ctrl-click tells the layout, the view and the root.
    layout->FileEng()->OnItemClicked(layout->FileEng()->ListItem(2)->child(0), true);
    EXPECT_EQ(view->texts(WM_LAYOUT_OPENFILE), (Paths{path, path}));
    EXPECT_EQ(root->texts(WM_LAYOUT_OPENFILE), (Paths{path}));

    // Object tree: picks and deletions reach the layout, the view and the root.
    QEVInfoTree* objects = layout->InfoTree();
    objects->InsertROIInfo(L"矩形 1");
    objects->InsertROIInfo(L"矩形 2");
    objects->OnItemClicked(objects->CategoryItem(QEVInfoTree::ROI)->child(1), false);
    objects->OnCommand(ID_INFOTREE_DELETEALLROI);
    EXPECT_EQ(view->texts(WM_LAYOUT_OBJECTPICKED), (Paths{L"矩形 2"}));
    EXPECT_EQ(root->texts(WM_LAYOUT_OBJECTDELETED), (Paths{L"矩形 1", L"矩形 2"}));

    EXPECT_EQ(SysStringsAlive(), before);
}

TEST(StringOwnership, NoWindowNoString)
{
    const long before = SysStringsAlive();
    EXPECT_EQ(SendStringMessage(nullptr, WM_LAYOUT_OPENFILE, 1, L"/x.raw"), 0);
    EXPECT_EQ(SysStringsAlive(), before);
    BSTR text = SysAllocString(L"路径");
    EXPECT_EQ(std::wstring(text), L"路径");
    EXPECT_EQ(SysStringsAlive(), before + 1);
    SysFreeString(text);
    SysFreeString(nullptr);
    EXPECT_EQ(SysStringsAlive(), before);
}

} // namespace

namespace {

// A strip's report reaches the window that hosts the layout once, and the
// root window once.
TEST(StripReportsInALayout, ReachTheHostOfTheLayoutAndTheRoot)
{
    HostedLayout hosted;
    browsertest::Receiver* root = hosted.root.get();
    browsertest::Receiver* view = hosted.view;
    QEVDBLayOut* layout = hosted.layout;
    layout->MoveSB(1, 200);
    layout->MoveSB(2, 300);
    layout->MoveSB(3, 500);
    QEVSelfDrawWndBase* strip = layout->ParaColor()->StripByReportId(1);
    ASSERT_NE(strip, nullptr);
    ASSERT_GT(strip->width(), 200);
    viewtest::wheel(strip, {150, 15}, 120);
    ASSERT_EQ(view->reports.size(), 1u);
    EXPECT_EQ(view->reports[0].Kind(), 1);
    EXPECT_FLOAT_EQ(view->reports[0].Value(), 0.51f);
    EXPECT_EQ(root->reports.size(), 1u);
}

} // namespace
