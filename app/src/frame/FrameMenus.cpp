// The frame's menu bar: the tables, the entries the frame adds to them and
// the keyboard shortcuts shown on the entries.
#include "pixorama/platform/SourceText.h"
#include "pixorama/platform/Translation.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/CommandIds.h"

#include "pixorama/parlet/MenuBuilders.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/RecentFiles.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/WorkState.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

constexpr int basicPopup = 0;
constexpr int viewPopup = 1;
constexpr int analysisPopup = 4;

struct KeyHabit {
    int id;
    QKeySequence keys;
};

const KeyHabit keyHabits[] = {
    {ID_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)},
    {ID_REOPEN, QKeySequence(Qt::Key_F5)},
    {ID_UNDO, QKeySequence(Qt::CTRL | Qt::Key_Z)},
    {ID_REDO, QKeySequence(Qt::CTRL | Qt::Key_Y)},
    {ID_REDO, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
    {ID_MEASURE_ALL, QKeySequence(Qt::CTRL | Qt::Key_M)},
};

struct FrameEntry {
    int id;
    const wchar_t* caption;
};

const FrameEntry analysisEntries[] = {
    {ID_RESULTS_WINDOW, L"测量结果"}, {ID_MEASURE_ALL, L"测量"},
    {ID_SAVE_REGIONS, L"保存区域"},   {ID_LOAD_REGIONS, L"载入区域"},
    {ID_SAVE_PROFILE, L"保存线数据"},
};

QAction* findIn(const QMenu* menu, int id)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = findIn(sub, id))
                return found;
        } else if (gActionCommandId(action) == id) {
            return action;
        }
    }
    return nullptr;
}

QMenu* popupAt(QMenuBar* bar, int index)
{
    const QList<QAction*> popups = bar->actions();
    return index < popups.size() ? popups[index]->menu() : nullptr;
}

} // namespace

void CMainFrame::InstallMainMenu()
{
    gDeleteAllMenu(this);
    for (const MenuTable& table : MainMenuTables())
        gAddMenu(table.items, table.count, this);
    addFrameEntries();
    for (QAction* popup : menuBar()->actions())
        for (QAction* item : popup->menu()->actions())
            if (item->menu() == nullptr && !item->isSeparator())
                connect(item, &QAction::triggered, this, [this, item] { OnCommand(gActionCommandId(item)); });
    // The entries show their keys; the frame's own shortcuts serve them.
    for (const KeyHabit& habit : keyHabits)
        if (QAction* entry = menuAction(habit.id)) {
            entry->setShortcuts(entry->shortcuts() << habit.keys);
            entry->setShortcutContext(Qt::WidgetShortcut);
        }
    ShowHistory();
}

void CMainFrame::addFrameEntries()
{
    if (QMenu* view = popupAt(menuBar(), viewPopup)) {
        view->addSeparator();
        QAction* autoWindow = view->addAction(QString());
        plat::setSourceText(autoWindow, QStringLiteral("自动窗宽窗位"));
        autoWindow->setData(ID_AUTO_RAW_WINDOW);
        QAction* smooth = view->addAction(QString());
        plat::setSourceText(smooth, QStringLiteral("缩小时平滑显示"));
        smooth->setData(ID_SMOOTH_WHEN_SHRUNK);
        smooth->setCheckable(true);
        smooth->setChecked(smoothWhenShrunk);
        addLanguageMenu(*view);
    }
    if (QMenu* analysis = popupAt(menuBar(), analysisPopup)) {
        analysis->addSeparator();
        for (const FrameEntry& entry : analysisEntries) {
            QAction* action = analysis->addAction(QString());
            plat::setSourceText(action, QString::fromWCharArray(entry.caption));
            action->setData(entry.id);
        }
    }
    if (QMenu* basic = popupAt(menuBar(), basicPopup)) {
        basic->addSeparator();
        recent = basic->addMenu(QString());
        plat::setSourceText(recent->menuAction(), QStringLiteral("最近打开的文件"));
        connect(recent, &QMenu::aboutToShow, this, &CMainFrame::fillRecentMenu);
        fillRecentMenu();
        basic->addSeparator();
        for (const auto& [id, caption] : {std::pair{ID_UNDO, QStringLiteral("撤销")}, std::pair{ID_REDO, QStringLiteral("重做")}}) {
            QAction* action = basic->addAction(QString());
            plat::setSourceText(action, caption);
            action->setData(id);
        }
    }
}

// "语言 / Language": the choice takes effect at once and is kept for the
// next start. Its entries act by themselves and carry no command id.
void CMainFrame::addLanguageMenu(QMenu& view)
{
    QMenu* menu = view.addMenu(QString());
    plat::setSourceText(menu->menuAction(), QStringLiteral("语言 / Language"));
    auto* choices = new QActionGroup(menu);
    const std::pair<const char*, plat::Language> entries[] = {
        {"中文", plat::Language::Chinese},
        {"English", plat::Language::English},
    };
    for (const auto& [caption, language] : entries) {
        QAction* entry = menu->addAction(QString());
        plat::setSourceText(entry, QString::fromUtf8(caption));
        entry->setCheckable(true);
        entry->setChecked(plat::currentLanguage() == language);
        choices->addAction(entry);
        connect(entry, &QAction::triggered, this, [language = language] {
            plat::switchLanguage(language);
            plat::storeLanguage(language);
        });
    }
}

void CMainFrame::fillRecentMenu()
{
    if (recent.isNull())
        return;
    recent->clear();
    const std::vector<std::wstring> paths = RecentFiles::Load();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdWString(paths[i]));
        QAction* entry = recent->addAction(text);
        entry->setData(ID_RECENT_FILE_FIRST + int(i));
        connect(entry, &QAction::triggered, this, [this, entry] { OnCommand(gActionCommandId(entry)); });
    }
    recent->setEnabled(!paths.empty());
}

QAction* CMainFrame::menuAction(int id) const
{
    for (QAction* popup : menuBar()->actions())
        if (QMenu* menu = popup->menu())
            if (QAction* found = findIn(menu, id))
                return found;
    return nullptr;
}

void CMainFrame::ShowHistory()
{
    const PictureHistory& history = gPictureHistory();
    const std::wstring undoName = history.UndoName();
    if (history.Overflowed())
        setPaneText(editPane, plat::tr(std::wstring(L"步骤太大，撤销记录已清空")));
    else
        setPaneText(editPane, plat::tr(undoName.empty() ? std::wstring(L"编辑信息") : L"撤销：" + undoName));
    if (QAction* undo = menuAction(ID_UNDO))
        undo->setEnabled(!undoName.empty());
    if (QAction* redo = menuAction(ID_REDO))
        redo->setEnabled(history.RedoCount() > 0);
}

void CMainFrame::createShortcuts()
{
    for (const KeyHabit& habit : keyHabits) {
        auto* shortcut = new QShortcut(habit.keys, this);
        const int id = habit.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { OnCommand(id); });
    }
}
