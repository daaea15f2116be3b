// The two file lists: adding (by message, chooser, folder mask, drop),
// deleting, the project file, Ctrl-click and the getters of the host.
#include "MessageBoxLog.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/brovia/QEVDBLayOut.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include "BrowserTestTools.h"
#include "TestHome.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using Paths = std::vector<std::wstring>;
using browsertest::findCommand;

// host <- middle <- lists: the lists notify middle, its parent and the root.
class FileListsTest : public testing::Test {
protected:
    void SetUp() override
    {
        lists = browsertest::OpenNested<QEVFileEngItem>(host, middle, 400, 400);
        RecordMessageBoxes(messages);
    }

    void TearDown() override
    {
        plat::setMessageBoxResponder({});
        plat::setFileDialogResponder({});
        plat::setFolderDialogResponder({});
    }

    // The paths the tree shows under list n, top to bottom.
    Paths Shown(int n) const
    {
        Paths out;
        QTreeWidgetItem* heading = lists->ListItem(n);
        for (int i = 0; i < heading->childCount(); ++i)
            out.push_back(heading->child(i)->text(0).toStdWString());
        return out;
    }

    void Run(QTreeWidgetItem* on, int id)
    {
        std::unique_ptr<QMenu> menu = lists->ContextMenu(on);
        QAction* action = findCommand(menu.get(), id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
    }

    void AnswerFiles(Paths chosen, plat::FileDialogRequest* seen = nullptr)
    {
        plat::setFileDialogResponder([chosen, seen](const plat::FileDialogRequest& request) {
            if (seen)
                *seen = request;
            return chosen;
        });
    }

    std::wstring Home(const char* name) const { return plat::fromPath(TestHome::path() / name); }

    std::unique_ptr<browsertest::Receiver> host;
    browsertest::Receiver* middle = nullptr;
    QEVFileEngItem* lists = nullptr;
    Paths messages;
};

TEST_F(FileListsTest, MessagesAppendToTheirListAndTheSameFileTwiceStaysTwice)
{
    SendStringMessage(lists, WM_LAYOUT_ADDTOLIST, 1, L"/data/a.raw");
    SendStringMessage(lists, WM_LAYOUT_ADDTOLIST, 2, L"/data/b.raw");
    SendStringMessage(lists, WM_LAYOUT_ADDTOLIST, 1, L"/data/a.raw");
    SendStringMessage(lists, WM_LAYOUT_ADDTOLIST, 3, L"/data/nowhere.raw");
    EXPECT_EQ(lists->List(1), (Paths{L"/data/a.raw", L"/data/a.raw"}));
    EXPECT_EQ(lists->List(2), (Paths{L"/data/b.raw"}));
    EXPECT_EQ(Shown(1), lists->List(1));
    EXPECT_EQ(Shown(2), lists->List(2));
    QTreeWidgetItem* root = lists->Tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("图像序列"));
    EXPECT_EQ(lists->ListItem(1)->text(0), QStringLiteral("图像序列一"));
    EXPECT_EQ(lists->ListItem(2)->text(0), QStringLiteral("图像序列二"));
    EXPECT_EQ(GetCtrlId(lists), 1224);
    EXPECT_EQ(FindCtrl(lists, 1039), lists->Tree());
}

TEST_F(FileListsTest, MenusCarryTheirEntriesAndIds)
{
    std::unique_ptr<QMenu> one = lists->ContextMenu(lists->ListItem(1));
    EXPECT_EQ(browsertest::captions(one.get()),
              (Paths{L"添加文件", L"删除全部文件", L"删除选中文件", L"添加目录里的文件", L"读取工程", L"输出工程"}));
    for (int id : {1234, 1235, 1236, 1238, 1239, 1241, 1242, 1243, 1244})
        EXPECT_NE(findCommand(one.get(), id), nullptr) << id;
    lists->AddFiles(2, {L"/x.raw"});
    std::unique_ptr<QMenu> two = lists->ContextMenu(lists->ListItem(2)->child(0));
    EXPECT_EQ(browsertest::captions(two.get()), (Paths{L"添加文件", L"删除全部文件", L"删除选中文件"}));
    for (int id : {1245, 1246, 1247})
        EXPECT_NE(findCommand(two.get(), id), nullptr) << id;
    EXPECT_EQ(lists->ContextMenu(lists->Tree()->topLevelItem(0)), nullptr);
}

TEST_F(FileListsTest, AddFilesTakesTheChosenFilesAndACancelAddsNothing)
{
    AnswerFiles({L"/p/1.raw", L"/p/2.raw"});
    Run(lists->ListItem(1), ID_FILEENG_ONE_ADDFILES);
    AnswerFiles({});
    Run(lists->ListItem(1), ID_FILEENG_ONE_ADDFILES);
    AnswerFiles({L"/q/9.raw"});
    Run(lists->ListItem(2), ID_FILEENG_TWO_ADDFILES);
    EXPECT_EQ(lists->List(1), (Paths{L"/p/1.raw", L"/p/2.raw"}));
    EXPECT_EQ(lists->List(2), (Paths{L"/q/9.raw"}));
}

TEST_F(FileListsTest, DeletingSelectedOrAllKeepsTreeAndListTogether)
{
    lists->AddFiles(1, {L"/a", L"/b", L"/c", L"/d"});
    lists->AddFiles(2, {L"/e"});
    lists->ListItem(1)->child(1)->setSelected(true);
    lists->ListItem(1)->child(3)->setSelected(true);
    Run(lists->ListItem(1), ID_FILEENG_ONE_DELETESELECTED);
    EXPECT_EQ(lists->List(1), (Paths{L"/a", L"/c"}));
    EXPECT_EQ(Shown(1), lists->List(1));
    Run(lists->ListItem(2), ID_FILEENG_TWO_DELETEALL);
    EXPECT_TRUE(lists->List(2).empty());
    EXPECT_TRUE(Shown(2).empty());
    Run(lists->ListItem(1), ID_FILEENG_ONE_DELETEALL);
    EXPECT_TRUE(lists->List(1).empty());
}

TEST_F(FileListsTest, FolderMaskAddsMatchingFilesAndACancelledChoiceNothing)
{
    const auto folder = TestHome::path() / "seq";
    std::filesystem::create_directories(folder / "inner");
    for (const char* name : {"b.raw", "a.raw", "c.bmp", "d.jpg", "inner/e.raw"})
        std::ofstream(folder / name) << "x";
    plat::setFolderDialogResponder([&](const std::wstring&) { return plat::fromPath(folder); });
    Run(lists->ListItem(1), ID_FILEENG_ONE_FOLDERRAW);
    Run(lists->ListItem(1), ID_FILEENG_ONE_FOLDERJPG);
    const std::wstring base = plat::fromPath(folder);
    EXPECT_EQ(lists->List(1), (Paths{base + L"/a.raw", base + L"/b.raw", base + L"/d.jpg"}));
    plat::setFolderDialogResponder([](const std::wstring&) { return std::wstring(); });
    Run(lists->ListItem(1), ID_FILEENG_ONE_FOLDERBMP);
    EXPECT_EQ(lists->List(1).size(), 3u);
}

TEST_F(FileListsTest, AProjectWrittenAndReadBackRestoresListOneInOrder)
{
    const Paths paths{L"/data/z.raw", L"/data/投影 01.raw", L"/data/a.raw", L"/data/z.raw"};
    lists->AddFiles(1, paths);
    plat::FileDialogRequest request;
    AnswerFiles({Home("scan.srl")}, &request);
    Run(lists->ListItem(1), ID_FILEENG_ONE_WRITEPROJECT);
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.filter, L"工程文件格式(*.srl) |*.srl||");
    EXPECT_EQ(request.defaultExtension, L"srl");

    lists->DeleteAll(1);
    lists->AddFiles(1, {L"/old.raw"});
    Run(lists->ListItem(1), ID_FILEENG_ONE_READPROJECT);
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.filter, L"工程文件格式(*.srl) |*.srl||");
    EXPECT_EQ(lists->List(1), paths);
    EXPECT_EQ(Shown(1), paths);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FileListsTest, AProjectThatCannotBeReadLeavesListOneAndSaysWhy)
{
    std::filesystem::create_directories(TestHome::path() / "folder.srl");
    std::ofstream(TestHome::path() / "picture.srl", std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"missing.srl", L"文件不存在"},
        {"folder.srl", L"是文件夹"},
        {"picture.srl", L"不是工程文件"},
    };
    lists->AddFiles(1, {L"/keep.raw"});
    for (const auto& [name, why] : cases) {
        SCOPED_TRACE(name);
        messages.clear();
        AnswerFiles({Home(name)});
        Run(lists->ListItem(1), ID_FILEENG_ONE_READPROJECT);
        EXPECT_EQ(lists->List(1), (Paths{L"/keep.raw"}));
        EXPECT_EQ(Shown(1), (Paths{L"/keep.raw"}));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(L"工程文件读取失败"), std::wstring::npos) << plat::toUtf8(messages[0]);
        EXPECT_NE(messages[0].find(why), std::wstring::npos) << plat::toUtf8(messages[0]);
    }
    // Writing onto the folder leaves it a folder.
    messages.clear();
    AnswerFiles({Home("folder.srl")});
    Run(lists->ListItem(1), ID_FILEENG_ONE_WRITEPROJECT);
    EXPECT_TRUE(std::filesystem::is_directory(TestHome::path() / "folder.srl"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"工程文件写入失败"), std::wstring::npos);
}

TEST_F(FileListsTest, AProjectThatCannotBeWrittenSaysSo)
{
    lists->AddFiles(1, {L"/keep.raw"});
    AnswerFiles({Home("no-such-folder/p.srl")});
    Run(lists->ListItem(1), ID_FILEENG_ONE_WRITEPROJECT);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"工程文件写入失败"), std::wstring::npos);
    EXPECT_FALSE(std::filesystem::exists(TestHome::path() / "no-such-folder"));
    // A cancelled chooser writes nothing and says nothing.
    AnswerFiles({});
    Run(lists->ListItem(1), ID_FILEENG_ONE_WRITEPROJECT);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(FileListsTest, CtrlClickOnAFileAsksOwnerParentAndRootToOpenIt)
{
    lists->AddFiles(1, {L"/data/a.raw", L"/data/b.raw"});
    QApplication::processEvents();
    QTreeWidget* tree = lists->Tree();
    const QPoint at = tree->visualItemRect(lists->ListItem(1)->child(1)).center();
    viewtest::press(tree->viewport(), at, Qt::LeftButton, Qt::ControlModifier);
    viewtest::release(tree->viewport(), at, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(middle->texts(WM_LAYOUT_OPENFILE), (Paths{L"/data/b.raw"}));
    EXPECT_EQ(host->texts(WM_LAYOUT_OPENFILE), (Paths{L"/data/b.raw"}));
    // Without Ctrl, or on a heading, nothing is opened.
    viewtest::press(tree->viewport(), at);
    viewtest::release(tree->viewport(), at);
    const QPoint heading = tree->visualItemRect(lists->ListItem(1)).center();
    viewtest::release(tree->viewport(), heading, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(host->texts(WM_LAYOUT_OPENFILE).size(), 1u);
}

TEST_F(FileListsTest, FilesDroppedFromAFileManagerJoinListOne)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/data/d1.raw")), QUrl::fromLocalFile(QStringLiteral("/data/d2.raw")),
                  QUrl(QStringLiteral("https://example.org/remote.raw"))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(lists, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(lists, &drop);
    EXPECT_EQ(lists->List(1), (Paths{L"/data/d1.raw", L"/data/d2.raw"}));
}

TEST(LayOutOneGetters, PathsComeOutAsUtf8OnlyWhenTheyFit)
{
    browsertest::Receiver host;
    gLayOutOneSetLayOutType(0);
    gLayOutOneCreateForConcatAndRec(&host, 500);
    gLayOutOneGetLayOut()->FileEng()->AddFiles(1, {L"/d/投影.raw"});
    gLayOutOneGetLayOut()->FileEng()->AddFiles(2, {L"/x", L"/y"});
    EXPECT_EQ(gLayOutOneNrFileInOne(), 1);
    EXPECT_EQ(gLayOutOneNrFileInTwo(), 2);
    EXPECT_EQ(*gLayOutOneGetFilesInTwo(), (Paths{L"/x", L"/y"}));
    EXPECT_EQ(gLayOutOneGetLayOut()->GetFileEngTwo(), (Paths{L"/x", L"/y"}));

    const std::string utf8 = "/d/投影.raw"; // 13 bytes
    char buffer[64];
    ASSERT_TRUE(gLayOutOneGetFileInOne(buffer, 0));
    EXPECT_EQ(std::string(buffer), utf8);
    std::fill(std::begin(buffer), std::end(buffer), 'q');
    EXPECT_TRUE(gLayOutOneGetFileInOne(buffer, int(utf8.size()) + 1, 0));
    EXPECT_EQ(std::string(buffer), utf8);
    // One byte short, or an index outside the list: nothing is written.
    std::fill(std::begin(buffer), std::end(buffer), 'q');
    EXPECT_FALSE(gLayOutOneGetFileInOne(buffer, int(utf8.size()), 0));
    EXPECT_FALSE(gLayOutOneGetFileInOne(buffer, 64, 1));
    EXPECT_FALSE(gLayOutOneGetFileInTwo(buffer, 64, -1));
    EXPECT_FALSE(gLayOutOneGetFileInTwo(buffer, 2));
    EXPECT_EQ(buffer[0], 'q');
    ASSERT_TRUE(gLayOutOneGetFileInTwo(buffer, 1));
    EXPECT_EQ(std::string(buffer), "/y");
}

} // namespace
