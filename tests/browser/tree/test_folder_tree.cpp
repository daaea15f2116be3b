// The folder tree: its roots, lazy folders, the extension filter, opening a
// file by a click and adding one to a list through the layout.
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/brovia/QEVDBLayOut.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/brovia/QEVFileSetItem.h"
#include "pixorama/platform/Strings.h"

#include "BrowserTestTools.h"
#include "TestHome.h"

#include <QDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using Paths = std::vector<std::wstring>;

class FolderTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = TestHome::path() / "disk";
        std::filesystem::create_directories(folder / "scans");
        std::filesystem::create_directories(folder / ".cache");
        for (const char* name : {"b.raw", "a.bmp", "C.BMP", "notes.txt", ".hidden.bmp", "scans/s1.raw"})
            std::ofstream(folder / name) << "x";
        host = std::make_unique<browsertest::Receiver>();
        host->resize(300, 600);
        gLayOutOneSetLayOutType(0);
        gLayOutOneCreateForConcatAndRec(host.get(), 700);
        gLayOutOneSetClient({0, 0, 300, 600});
        host->show();
        QApplication::processEvents();
        tree = gLayOutOneGetLayOut()->FileSet();
        tree->SetRoots({plat::fromPath(folder)});
    }

    QTreeWidgetItem* Disk() const { return tree->Root()->child(0); }

    Paths Children(QTreeWidgetItem* item) const
    {
        Paths out;
        for (int i = 0; i < item->childCount(); ++i)
            out.push_back(item->child(i)->text(0).toStdWString());
        return out;
    }

    void Run(QTreeWidgetItem* on, int id)
    {
        std::unique_ptr<QMenu> menu = tree->ContextMenu(on);
        QAction* action = browsertest::findCommand(menu.get(), id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
    }

    std::filesystem::path folder;
    std::unique_ptr<browsertest::Receiver> host;
    QEVFileSetItem* tree = nullptr;
};

TEST_F(FolderTreeTest, FoldersFillWhenFirstExpandedFoldersFirst)
{
    EXPECT_EQ(tree->Root()->text(0), QStringLiteral("我的电脑"));
    EXPECT_EQ(Disk()->text(0).toStdWString(), plat::fromPath(folder));
    EXPECT_EQ(Disk()->childCount(), 0);
    EXPECT_EQ(Disk()->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    tree->Tree()->expandItem(Disk());
    EXPECT_EQ(Children(Disk()), (Paths{L"scans", L"C.BMP", L"a.bmp", L"b.raw", L"notes.txt"}));
    EXPECT_EQ(tree->GetFullPath(Disk()->child(0)), plat::fromPath(folder / "scans"));
    tree->Tree()->collapseItem(Disk());
    tree->Tree()->expandItem(Disk());
    EXPECT_EQ(Disk()->childCount(), 5);
    EXPECT_EQ(GetCtrlId(tree), 1226);
    EXPECT_EQ(FindCtrl(tree, 1254), tree->Tree());
}

TEST_F(FolderTreeTest, FiltersShowOnlyTheirExtensionAndRefreshTurnsThemOff)
{
    Run(nullptr, ID_FILESET_BMPONLY);
    tree->Tree()->expandItem(Disk());
    EXPECT_EQ(Children(Disk()), (Paths{L"scans", L"C.BMP", L"a.bmp"}));
    Run(tree->Root(), ID_FILESET_RAWONLY);
    tree->Tree()->expandItem(Disk());
    EXPECT_EQ(Children(Disk()), (Paths{L"scans", L"b.raw"}));
    tree->Tree()->expandItem(Disk()->child(0));
    EXPECT_EQ(Children(Disk()->child(0)), (Paths{L"s1.raw"}));
    Run(nullptr, ID_FILESET_REFRESH);
    EXPECT_FALSE(tree->IsFilterOn());
    tree->Tree()->expandItem(Disk());
    EXPECT_EQ(Disk()->childCount(), 5);
    EXPECT_EQ(browsertest::captions(tree->ContextMenu(nullptr).get()), (Paths{L"刷新内容", L"读取bmp位图", L"读取raw位图"}));
}

TEST_F(FolderTreeTest, ClickingAFileAsksTheApplicationToOpenIt)
{
    tree->Tree()->expandItem(Disk());
    QApplication::processEvents();
    QTreeWidgetItem* file = Disk()->child(3); // b.raw
    viewtest::release(tree->Tree()->viewport(), tree->Tree()->visualItemRect(file).center());
    const std::wstring path = plat::fromPath(folder / "b.raw");
    EXPECT_EQ(tree->GetCurrentPath(), path);
    EXPECT_EQ(host->texts(WM_LAYOUT_OPENFILE), (Paths{path}));
    // A folder opens nothing.
    viewtest::release(tree->Tree()->viewport(), tree->Tree()->visualItemRect(Disk()->child(0)).center());
    EXPECT_EQ(host->texts(WM_LAYOUT_OPENFILE).size(), 1u);
}

TEST_F(FolderTreeTest, AnItemGoesToEitherListThroughTheLayout)
{
    tree->Tree()->expandItem(Disk());
    EXPECT_EQ(browsertest::captions(tree->ContextMenu(Disk()->child(1)).get()), (Paths{L"添加至工程一", L"添加至工程二"}));
    Run(Disk()->child(1), ID_FILESET_ADDTOONE);
    Run(Disk()->child(3), ID_FILESET_ADDTOTWO);
    Run(Disk()->child(1), ID_FILESET_ADDTOONE);
    QEVFileEngItem* lists = gLayOutOneGetLayOut()->FileEng();
    const std::wstring c = plat::fromPath(folder / "C.BMP");
    EXPECT_EQ(lists->List(1), (Paths{c, c}));
    EXPECT_EQ(lists->List(2), (Paths{plat::fromPath(folder / "b.raw")}));
    // The application is not told about these.
    EXPECT_TRUE(host->received.empty());
}

TEST(FolderTreeRoots, TheUsersRootsComeFirst)
{
    const std::vector<std::wstring> roots = QEVFileSetItem::DefaultRoots();
    ASSERT_GE(roots.size(), 1u);
    EXPECT_EQ(roots[0], L"/");
    if (QDir::homePath() != QStringLiteral("/")) {
        ASSERT_GE(roots.size(), 2u);
        EXPECT_EQ(roots[1], QDir::homePath().toStdWString());
    }
    for (std::size_t i = 2; i < roots.size(); ++i)
        EXPECT_TRUE(roots[i].starts_with(L"/media/") || roots[i].starts_with(L"/mnt/")) << std::string(roots[i].begin(), roots[i].end());
}

} // namespace
