// The container's value table: defaults, the text conventions between
// table and controls, number reading, duplicates, messages and file names.
#include "DialogTestTools.h"
#include "GridPanel.h"

#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/platform/Wnd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

using namespace dialogs_test;

namespace {

std::vector<CtrlItem> valueItems()
{
    return {makeItem(L"Static", L"nul", 0, 0, 1, L"宽度"), makeItem(L"Edit", L"W", 0, 1),
            makeItem(L"Combo", L"T", 0, 2, 1, L"", {L"ushort", L"float", L"double"}),
            makeItem(L"CheckBox", L"C", 0, 3, 1, L"Little Endian"), makeItem(L"Button", L"nul", 1, 0, 1, L"按钮")};
}

struct Panel {
    QWidget host;
    GridPanel panel{valueItems(), 2, 4};

    void create() { panel.CreateWin({}, &host, 100); }
    QLineEdit* edit() { return qobject_cast<QLineEdit*>(panel.GetControl(1)); }
    QComboBox* combo() { return qobject_cast<QComboBox*>(panel.GetControl(2)); }
    QCheckBox* check() { return qobject_cast<QCheckBox*>(panel.GetControl(3)); }
};

} // namespace

TEST(ContainerValues, FirstLoadShowsNulFirstOptionAndClearedBox)
{
    Panel p;
    p.create();
    ASSERT_NE(p.edit(), nullptr);
    EXPECT_EQ(p.edit()->text(), QStringLiteral("nul"));
    EXPECT_EQ(p.combo()->currentIndex(), 0);
    EXPECT_FALSE(p.check()->isChecked());
    // Only value kinds enter the table.
    EXPECT_EQ(p.panel.GetValueTable().size(), 3u);
    EXPECT_EQ(p.panel.GetValueTable().count(L"nul"), 0u);
}

TEST(ContainerValues, UpDataAndDownDataUseTheTextConventions)
{
    Panel p;
    p.panel.file = {{L"W", L"512"}, {L"T", L"2"}, {L"C", L"true"}};
    p.create();
    EXPECT_EQ(p.edit()->text(), QStringLiteral("512"));
    EXPECT_EQ(p.combo()->currentText(), QStringLiteral("double"));
    EXPECT_TRUE(p.check()->isChecked());

    p.edit()->setText(QStringLiteral("640"));
    p.combo()->setCurrentIndex(1);
    p.check()->setChecked(false);
    EXPECT_EQ(p.panel.GetRet(L"W"), L"640");
    EXPECT_EQ(p.panel.GetRet(L"T"), L"1");
    EXPECT_EQ(p.panel.GetRet(L"C"), L"false");
    EXPECT_EQ(p.panel.GetRet(L"nobody"), L"");
}

TEST(ContainerValues, UnusableStoredTextsLeaveControlsAlone)
{
    Panel p;
    // An index the combo lacks and a box text other than true/false.
    p.panel.file = {{L"T", L"9"}, {L"C", L"maybe"}};
    p.create();
    EXPECT_EQ(p.combo()->currentIndex(), 0);
    EXPECT_FALSE(p.check()->isChecked());

    Panel q;
    q.panel.file = {{L"T", L"-1"}, {L"C", L"true"}};
    q.create();
    EXPECT_EQ(q.combo()->currentIndex(), 0);
    EXPECT_TRUE(q.check()->isChecked());
}

TEST(ContainerValues, GetRetIntAndFloatReadFlagsAndJunk)
{
    Panel p;
    p.create();
    p.check()->setChecked(true);
    EXPECT_EQ(p.panel.GetRetInt(L"C"), 1);
    EXPECT_FLOAT_EQ(p.panel.GetRetFloat(L"C"), 0.0f);
    p.check()->setChecked(false);
    EXPECT_EQ(p.panel.GetRetInt(L"C"), 0);

    struct Case {
        const char* text;
        int asInt;
        float asFloat;
    };
    const Case cases[] = {
        {"nul", 0, 0.0f},         {"abc", 0, 0.0f},         {"", 0, 0.0f},
        {"12abc", 12, 12.0f},     {"  -7.5e1x", -7, -75.0f}, {"+3", 3, 3.0f},
        {".5", 0, 0.5f},          {"1e", 1, 1.0f},          {"2.5e-1", 2, 0.25f},
        {"inf", 0, 0.0f},         {"nan", 0, 0.0f},         {"0x1A", 0, 0.0f},
        {"99999999999", INT_MAX, 99999999999.0f},           {"-99999999999", INT_MIN, -99999999999.0f},
        {"1e999", 1, FLT_MAX},    {"-1e999", -1, -FLT_MAX}, {"1e-999", 1, 0.0f},
    };
    for (const Case& c : cases) {
        p.edit()->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(p.panel.GetRetInt(L"W"), c.asInt) << c.text;
        EXPECT_FLOAT_EQ(p.panel.GetRetFloat(L"W"), c.asFloat) << c.text;
    }
    // The combo's value is its index.
    p.combo()->setCurrentIndex(2);
    EXPECT_EQ(p.panel.GetRetInt(L"T"), 2);
}

TEST(ContainerValues, TwoItemsOfOneNameKeepTheFirst)
{
    QWidget host;
    GridPanel panel({makeItem(L"Edit", L"X", 0, 0), makeItem(L"CheckBox", L"X", 0, 1, 1, L"second")}, 1, 4);
    panel.file = {{L"X", L"first value"}};
    panel.CreateWin({}, &host, 100);
    ASSERT_EQ(panel.GetValueTable().size(), 1u);
    EXPECT_EQ(panel.GetValueTable().at(L"X").index, 0);
    EXPECT_EQ(panel.GetValueTable().at(L"X").kind, L"Edit");
    EXPECT_EQ(qobject_cast<QLineEdit*>(panel.GetControl(0))->text(), QStringLiteral("first value"));
    panel.SaveInitPara();
    EXPECT_EQ(panel.file.at(L"X"), L"first value");
}

TEST(ContainerValues, OkSavesAndEndsTheDialogCancelDoesNot)
{
    for (const bool ok : {true, false}) {
        QDialog dialog;
        GridPanel panel(valueItems(), 2, 4);
        panel.CreateWin({}, &dialog, 100);
        qobject_cast<QLineEdit*>(panel.GetControl(1))->setText(QStringLiteral("77"));
        int result = -1;
        QObject::connect(&dialog, &QDialog::finished, [&](int code) { result = code; });
        dialog.show();
        panel.GetButton(ok ? 1 : 2)->click();
        EXPECT_EQ(result, ok ? 1 : 2);
        EXPECT_EQ(panel.saves, ok ? 1 : 0);
        EXPECT_EQ(panel.file.count(L"W"), ok ? 1u : 0u);
    }
}

namespace {

class MessageHost : public plat::Wnd {
public:
    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        if (msg == MSG_PRE_NEXT) {
            wParams.push_back(wParam);
            texts.push_back(*reinterpret_cast<const CString*>(lParam));
        }
        return 0;
    }
    std::vector<std::uintptr_t> wParams;
    std::vector<CString> texts;
};

} // namespace

TEST(ContainerValues, PreAndNextTellTheParentByTheirText)
{
    MessageHost host;
    GridPanel panel(valueItems(), 2, 4);
    panel.SetOkCancel(false);
    panel.SetPreNext(true);
    panel.SetNextBtnText(L"完成");
    panel.CreateWin({}, &host, 100);
    panel.GetButton(IDC_PRE)->click();
    panel.GetButton(IDC_NEXT)->click();
    EXPECT_EQ(host.texts, (std::vector<CString>{L"上一步", L"完成"}));
    EXPECT_EQ(host.wParams, (std::vector<std::uintptr_t>{1, 1}));
    EXPECT_EQ(panel.saves, 0);
}

TEST(ContainerValues, TypesNameTheirSectionAndFile)
{
    const std::pair<QEVImaParaType, const wchar_t*> named[] = {
        {QEV_IMALOAD, L"ImaLoad"},
        {QEV_ROICIRCLE, L"ImaROICircle"},
        {QEV_ROIRECT, L"ImaROIRect"},
        {QEV_FORMAT, L"ImaFormat"},
        {QEV_IMAPAIR, L"ImaPair"},
        {QEV_VOLUMEREC, L"ImaRec"},
        {QEV_FANSIM, L"ImaFanSim"},
        {QEV_SPIRALSIM, L"ImaSpiralConeBeamPara"},
        {QEV_ROWDATA, L"ImaRowDataPara"},
        {QEV_WEIGHTEXTENT, L"ImaWeightAndExtentPara"},
        {QEV_FANREC, L"ImaFanRec"},
        {QEV_GENERAL, L"ImaGeneralPara"},
        {QEV_IMADIM, L"ImaDim"},
        {QEV_MATRIXTHREE, L"ImaMatrixThree"},
        {QEV_MATRIXFOUR, L"ImaMatrixFour"},
        {QEV_MATRIXFIVE, L"ImaMatrixFive"},
        {QEV_TWOPOINTS, L"TwoPointsPara"},
    };
    for (const auto& [type, name] : named) {
        GridPanel panel({}, 1, 1);
        panel.SetWndType(type);
        EXPECT_EQ(panel.GetSectionName(), name);
        EXPECT_EQ(panel.GetInitFilePath(), paraPath(plat::toUtf8(name) + ".ini"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(TestHome::path() / "ImaPInitPara"));

    // Types without a file keep what they had.
    for (const int type : {1, 12, 13, 14, 16, 22}) {
        GridPanel panel({}, 1, 1);
        panel.SetConfigInfo(L"Mine", L"Mine.ini");
        panel.SetWndType(QEVImaParaType(type));
        EXPECT_EQ(panel.GetSectionName(), L"Mine");
        EXPECT_EQ(panel.GetInitFilePath(), paraPath("Mine.ini"));
    }
}

TEST(ContainerValues, ConfigFileNamesStayInsideTheParameterFolder)
{
    GridPanel panel({}, 1, 1);
    panel.SetConfigInfo(L"S", L"../../escape.ini");
    EXPECT_EQ(panel.GetInitFilePath(), paraPath("escape.ini"));
    panel.SetConfigInfo(L"S", L"C:\\other\\place.ini");
    EXPECT_EQ(panel.GetInitFilePath(), paraPath("place.ini"));
    panel.SetConfigInfo(L"S", L"..");
    EXPECT_EQ(panel.GetInitFilePath(), L"");
}
