// The interface in English and in Chinese: a walk through everything a user
// reads finds no Chinese left in English, a switch back gives the Chinese
// captions unchanged, and parameter files do not depend on the language.
#include "WorkbenchFixture.h"

#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/brovia/QEVDBLayOut.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/brovia/QEVFileSetItem.h"
#include "pixorama/brovia/QEVInfoTree.h"
#include "pixorama/brovia/QEVSelfDrawWndBase.h"
#include "pixorama/brovia/QEVWndParaColorIma.h"
#include "pixorama/brovia/QEVWndParaRawIma.h"
#include "pixorama/brovia/QEVWndParaVRPara.h"
#include "pixorama/parlet/DialogScript.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/SourceText.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/Translation.h"
#include "pixorama/workbench/SequenceOps.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <gmock/gmock.h>

#include <cstdlib>
#include <iostream>

namespace fs = std::filesystem;

namespace {

// Han characters, CJK punctuation and full-width forms.
bool chinese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Every text met on the way, with where it was met; texts drawn by the
// painter arrive through the drawn-text hook while `where` names the place.
class Walk {
public:
    Walk()
    {
        plat::setDrawnTextObserver([this](const std::wstring& text, bool fits) {
            if (text.empty())
                return; // an empty strip or box draws nothing
            See(QString::fromStdWString(text));
            if (!fits)
                cut << where + QStringLiteral(": ") + QString::fromStdWString(text);
        });
    }
    ~Walk() { plat::setDrawnTextObserver({}); }

    void At(const QString& place) { where = place; }
    void See(const QString& text)
    {
        ++count[where.section(QLatin1Char(' '), 0, 0)];
        const QString line = where + QStringLiteral(": \"") + text + QLatin1Char('"');
        if (text.trimmed().isEmpty())
            empty << line;
        else if (chinese(text))
            untranslated << line;
    }
    void SeeFitting(const QString& text, bool fits)
    {
        See(text);
        if (!fits)
            cut << where + QStringLiteral(": ") + text;
    }

    // A context menu has no title to see.
    void SeeMenu(const QMenu& menu, bool titled = true)
    {
        if (titled)
            See(menu.title());
        for (const QAction* action : menu.actions()) {
            if (action->isSeparator())
                continue;
            if (action->menu() != nullptr)
                SeeMenu(*action->menu());
            else
                See(action->text());
        }
    }

    // Labels, check boxes, buttons, combo entries and list lines of a
    // window, with whether each label or box shows its whole text.
    void SeeControls(const QWidget& window)
    {
        if (window.isWindow())
            See(window.windowTitle());
        for (const QLabel* label : window.findChildren<QLabel*>())
            if (label->isVisibleTo(&window))
                SeeFitting(label->text(), label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
            if (button->isVisibleTo(&window) && !button->text().isEmpty())
                SeeFitting(button->text(), button->sizeHint().width() <= button->width());
        for (const QComboBox* combo : window.findChildren<QComboBox*>())
            for (int i = 0; i < combo->count(); ++i)
                See(combo->itemText(i));
        for (const QListWidget* list : window.findChildren<QListWidget*>())
            for (int i = 0; i < list->count(); ++i)
                See(list->item(i)->text());
    }

    // Draws the widget, so every painted text passes the hook.
    void SeeDrawn(QWidget& widget) { widget.grab(); }

    int Count(const char* area) const { return count.value(QString::fromLatin1(area)); }
    // Every problem, one a line; empty when there is none.
    QString Problems() const
    {
        QStringList lines;
        for (const QString& line : untranslated)
            lines << QStringLiteral("untranslated: ") + line;
        for (const QString& line : empty)
            lines << QStringLiteral("empty: ") + line;
        for (const QString& line : cut)
            lines << QStringLiteral("cut off: ") + line;
        lines.removeDuplicates();
        return lines.join(QLatin1Char('\n'));
    }

private:
    QString where;
    QMap<QString, int> count;
    QStringList untranslated, empty, cut;
};

void seeTree(Walk& walk, const QTreeWidgetItem* item, int depth)
{
    walk.See(item->text(0));
    if (depth > 0)
        for (int i = 0; i < item->childCount(); ++i)
            seeTree(walk, item->child(i), depth - 1);
}

class LanguageTest : public WorkbenchTest {
protected:
    void TearDown() override
    {
        plat::switchLanguage(plat::Language::Chinese);
        SetSequenceFileSource({});
        WorkbenchTest::TearDown();
    }

    // Picks a language the way a user does, from "视图 > 语言 / Language".
    void PickLanguage(const QString& entry)
    {
        QMenu* view = frame->menuBar()->actions()[1]->menu();
        QMenu* languages = view->actions().back()->menu();
        ASSERT_NE(languages, nullptr);
        for (QAction* action : languages->actions())
            if (action->text() == entry)
                return action->trigger();
        FAIL() << "no language entry " << entry.toStdString();
    }

    // Every caption of the menu bar, the toolbar, the status bar and the window.
    std::vector<std::wstring> Captions() const
    {
        std::vector<std::wstring> out{frame->windowTitle().toStdWString()};
        const std::function<void(const QMenu&)> add = [&](const QMenu& menu) {
            out.push_back(menu.title().toStdWString());
            for (const QAction* a : menu.actions())
                a->menu() ? add(*a->menu()) : out.push_back(a->text().toStdWString());
        };
        for (const QAction* popup : frame->menuBar()->actions())
            add(*popup->menu());
        for (const QAction* button : frame->toolBar()->actions())
            out.push_back(button->text().toStdWString());
        for (int pane = 0; pane < 4; ++pane)
            out.push_back(frame->paneText(pane));
        return out;
    }

    // Opens every kind of parameter dialog and the wizard, cancelled.
    static void OpenEveryDialog(Walk& walk)
    {
        // With PIXORAMA_SHOT_DIR set the dialogs are kept there as PNG, to be
        // looked at by a person.
        const char* shots = std::getenv("PIXORAMA_SHOT_DIR");
        int shown = 0;
        const auto look = [&](DialogDriver& d) {
            walk.SeeControls(d.Dialog());
            walk.SeeDrawn(d.Dialog());
            if (shots != nullptr && *shots != '\0')
                d.Grab().save(QStringLiteral("%1/english-dialog-%2.png").arg(QString::fromUtf8(shots)).arg(++shown));
        };
        DialogScript script([&](DialogDriver& d) {
            walk.At(QStringLiteral("dialog ") + QString::fromStdWString(d.Title()));
            look(d);
            if (d.PressNext())
                look(d);
            d.PressCancel();
        });
        tagQEVImaLoadPara load;
        tagQEVImaROICirclePara circle;
        tagQEVImaROIRectPara rect;
        tagQEVImaFormatPara format;
        tagQEVImaPairPara pair;
        tagQEVImaVolumeRecPara volume;
        tagQEVImaFanSimPara fanSim;
        tagQEVImaSipralSimPara spiral;
        tagQEVImaRowDataPara rows;
        tagQEVImaWeightAndExtentPara weight;
        tagQEVImaFanRecPara fanRec;
        tagQEVImaGeneralPara general;
        tagQEVImaProcessPara process;
        tagQEVImaDimPara dim;
        tagQEVImaMatrixPara matrix;
        tagQEVTwoPointsPara points;
        gDlgGetImaLoadPara(load);
        gDlgGetImaROICirclePara(circle);
        gDlgGetImaROIRectPara(rect);
        gDlgGetImaFormatPara(format);
        gDlgGetImaPairPara(pair);
        gDlgGetFDKRecPara(volume);
        gDlgGetFanSimPara(fanSim);
        gDlgGetSipralSimPara(spiral);
        gDlgGetImaRowDataPara(rows);
        gDlgGetImaWeightAndExtentPara(weight);
        gDlgGetFanRecPara(fanRec);
        gDlgGetImaGeneralPara(general);
        gDlgGetImaProcessSetPara(process);
        gDlgGetImaDimPara(dim);
        gDlgGetImaMatrixThreePara(matrix);
        gDlgGetImaMatrixFourPara(matrix);
        gDlgGetImaMatrixFivePara(matrix);
        gDlgGetTwoPtPara(points);
        gDlgGetLargeFovPara(pair, volume);
        EXPECT_EQ(script.shown, 19);
    }

    void WalkBrowser(Walk& walk)
    {
        walk.At(QStringLiteral("browser sections"));
        QEVDBLayOut* layout = gLayOutOneGetLayOut();
        ASSERT_NE(layout, nullptr);
        walk.SeeDrawn(*layout);
        std::vector<std::unique_ptr<QMenu>> menus;
        // The browser's windows carry no meta-object of their own: found by type.
        const auto all = [layout]<class T>(T*) {
            std::vector<T*> found;
            for (QWidget* w : layout->findChildren<QWidget*>())
                if (auto* t = dynamic_cast<T*>(w))
                    found.push_back(t);
            return found;
        };
        for (QEVFileSetItem* folders : all(static_cast<QEVFileSetItem*>(nullptr))) {
            seeTree(walk, folders->Root(), 0);
            menus.push_back(folders->ContextMenu(folders->Root()));
        }
        for (QEVFileEngItem* lists : all(static_cast<QEVFileEngItem*>(nullptr)))
            for (int list : {1, 2}) {
                seeTree(walk, lists->ListItem(list)->parent(), 1);
                menus.push_back(lists->ContextMenu(lists->ListItem(list)));
            }
        for (QEVInfoTree* objects : all(static_cast<QEVInfoTree*>(nullptr)))
            for (int c = 0; c < 3; ++c) {
                seeTree(walk, objects->CategoryItem(QEVInfoTree::Category(c))->parent(), 1);
                menus.push_back(objects->ContextMenu(objects->CategoryItem(QEVInfoTree::Category(c))));
            }
        walk.At(QStringLiteral("browser menus"));
        for (const auto& menu : menus)
            if (menu != nullptr)
                walk.SeeMenu(*menu, false);
        EXPECT_GE(menus.size(), 6u);
    }

    // The raw, colour and volume panels with each group open in turn, and
    // the threshold strip with its choices.
    static void WalkPanels(Walk& walk)
    {
        plat::Wnd host;
        host.resize(300, 900);
        std::vector<QEVWndParaBase*> panels{new QEVWndParaRawIma, new QEVWndParaColorIma, new QEVWndParaVRPara};
        for (std::size_t p = 0; p < panels.size(); ++p) {
            panels[p]->Create({0, 0, 300, 900}, &host, 1200 + 100 * int(p));
            for (int g = 0; g < int(panels[p]->Groups().size()); ++g) {
                walk.At(QStringLiteral("panel %1 group %2").arg(p).arg(g));
                panels[p]->OpenGroup(g);
                walk.SeeDrawn(*panels[p]);
                for (QWidget* strip : panels[p]->findChildren<QWidget*>())
                    if (dynamic_cast<QEVSelfDrawWndBase*>(strip) != nullptr && strip->isVisibleTo(panels[p]))
                        walk.SeeDrawn(*strip);
                walk.SeeControls(*panels[p]);
            }
        }
    }

    // The commands' message boxes: no picture, a bad rectangle, files that
    // cannot be read, and the sequence jobs' summaries.
    void RunMessages(Walk& walk)
    {
        for (int id : {2375, 2384, 2415, 2416, 2396, 2335, 2526, 2379, 2380, 2383})
            frame->OnCommand(id);
        Choose(plat::fromPath(Home() / "absent.png"));
        frame->OnCommand(2224);
        const std::wstring shortRaw = WriteRaw("short.raw", 2, 2, [](int, int) { return 7; });
        OpenRawByMenu(shortRaw, 200, 200);
        const std::wstring picture = WriteColour("picture.png", 4, 3, [](int x, int y) { return unsigned(x * 40 + y); });
        Choose(picture);
        frame->OnCommand(2224);
        Answer(std::map<std::wstring, std::wstring>{{L"m_RectLeft", L"2"}, {L"m_RectTop", L"0"}, {L"m_RectRight", L"9"}, {L"m_RectBottom", L"1"}});
        frame->OnCommand(2375);
        Answer(std::map<std::wstring, std::wstring>{{L"m_RectLeft", L"3"}, {L"m_RectTop", L"0"}, {L"m_RectRight", L"2"}, {L"m_RectBottom", L"1"}});
        frame->OnCommand(2375);
        std::ofstream(Home() / "broken.bmp") << "BM not a bitmap";
        SetSequenceFileSource([] { return std::vector<CString>{plat::fromPath(Home() / "broken.bmp")}; });
        Answer(std::nullopt);
        frame->OnCommand(2532);
        walk.At(QStringLiteral("message"));
        for (const std::wstring& text : messages)
            walk.See(QString::fromStdWString(text));
        EXPECT_THAT(messages, testing::IsSupersetOf({L"There is no image", L"The file does not exist",
                                                     L"The file is too short: 80000 bytes needed, 8 bytes found",
                                                     L"The crop rectangle lies outside the image",
                                                     L"The crop rectangle has an invalid size",
                                                     L"At least two images are needed"}));
        EXPECT_EQ(messages.back(), L"Done: 0 files written, 1 files skipped that could not be read or written");
    }
};

TEST_F(LanguageTest, EnglishLeavesNoChineseInAnythingTheUserReads)
{
    PickLanguage(QStringLiteral("English"));
    ASSERT_EQ(plat::currentLanguage(), plat::Language::English);
    frame->resize(1400, 900);
    QApplication::processEvents();
    Walk walk;

    walk.At(QStringLiteral("window"));
    walk.See(frame->windowTitle());
    walk.At(QStringLiteral("menu"));
    for (const QAction* popup : frame->menuBar()->actions())
        walk.SeeMenu(*popup->menu());
    walk.At(QStringLiteral("toolbar"));
    for (const QAction* button : frame->toolBar()->actions()) {
        walk.See(button->text());
        walk.See(button->toolTip());
    }
    walk.At(QStringLiteral("status"));
    for (int pane = 0; pane < 4; ++pane)
        walk.See(QString::fromStdWString(frame->paneText(pane)));
    for (const QAbstractButton* cancel : frame->statusBar()->findChildren<QAbstractButton*>()) {
        walk.See(cancel->text());
        walk.See(cancel->toolTip());
    }
    walk.At(QStringLiteral("workbench"));
    walk.SeeDrawn(*frame);
    WalkBrowser(walk);
    WalkPanels(walk);
    RunMessages(walk);
    OpenEveryDialog(walk); // replaces the fixture's dialog answers: last

    const QString problems = walk.Problems();
    if (!problems.isEmpty())
        std::cout << problems.toStdString() << '\n';
    EXPECT_TRUE(problems.isEmpty()) << problems.toStdString();
    EXPECT_GE(walk.Count("menu"), 70);
    EXPECT_EQ(walk.Count("toolbar"), 26);
    EXPECT_EQ(walk.Count("status"), 6);
    EXPECT_GE(walk.Count("dialog"), 300);
    EXPECT_GE(walk.Count("panel"), 30);
    EXPECT_GE(walk.Count("browser"), 20);
}

// A pane the program has written keeps its text over a switch.
TEST_F(LanguageTest, BackToChineseGivesEveryCaptionAsBeforeAndTheChoiceIsKept)
{
    const std::vector<std::wstring> chinese = Captions();
    EXPECT_EQ(chinese[1], L"基本功能");
    PickLanguage(QStringLiteral("English"));
    const std::vector<std::wstring> english = Captions();
    ASSERT_EQ(english.size(), chinese.size());
    EXPECT_EQ(english[1], L"Basic");
    EXPECT_EQ(frame->paneText(1), L"Position");
    frame->setPaneText(3, L"12, 34");
    EXPECT_EQ(plat::storedLanguage(), plat::Language::English);
    unsetenv("PIXORAMA_LANG");
    EXPECT_EQ(plat::startLanguage(L""), plat::Language::English);
    setenv("PIXORAMA_LANG", "zh", 1);

    PickLanguage(QStringLiteral("Chinese"));
    EXPECT_EQ(frame->paneText(3), L"12, 34");
    frame->setPaneText(3, L"编辑信息");
    EXPECT_EQ(Captions(), chinese);
    EXPECT_EQ(plat::storedLanguage(), plat::Language::Chinese);
}

// A file written through a dialog in one language reads back, and is
// written again, byte for byte the same in the other.
TEST_F(LanguageTest, ParameterFilesDoNotDependOnTheLanguage)
{
    const fs::path folder = Home() / "ImaPInitPara";
    const auto files = [&] {
        std::map<std::string, std::string> out;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            out[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
        }
        return out;
    };
    const auto confirm = [](const std::map<std::wstring, std::wstring>& values, tagQEVImaFormatPara& para) {
        DialogScript script([&](DialogDriver& d) {
            for (const auto& [name, value] : values)
                d.SetValue(name, value);
            d.PressOk();
        });
        return gDlgGetImaFormatPara(para);
    };
    plat::setDialogHook({});

    plat::switchLanguage(plat::Language::English);
    tagQEVImaFormatPara english;
    ASSERT_TRUE(confirm({{L"InImaW", L"640"}, {L"OutImaIPType", L"2"}, {L"bUseMapRange", L"true"}, {L"OutDir", L"/data/out"}},
                        english));
    const auto writtenInEnglish = files();
    ASSERT_FALSE(writtenInEnglish.empty());

    plat::switchLanguage(plat::Language::Chinese);
    tagQEVImaFormatPara chinese;
    ASSERT_TRUE(confirm({}, chinese));
    EXPECT_EQ(files(), writtenInEnglish);
    EXPECT_EQ(chinese.InImaW, 640);
    EXPECT_EQ(chinese.OutImaIPType, 2);
    EXPECT_EQ(chinese.bUseMapRange, 1);
    EXPECT_EQ(chinese.OutDir, L"/data/out");

    ASSERT_TRUE(confirm({{L"OutImaIPType", L"1"}, {L"OutImaPixelType", L"3"}}, chinese));
    const auto writtenInChinese = files();
    plat::switchLanguage(plat::Language::English);
    ASSERT_TRUE(confirm({}, english));
    EXPECT_EQ(files(), writtenInChinese);
    EXPECT_EQ(english.OutImaIPType, 1);
    EXPECT_EQ(english.OutImaPixelType, 3);
}

} // namespace
