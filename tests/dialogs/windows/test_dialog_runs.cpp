// Running the gDlgGet dialogs as a user would, through the dialog hook:
// first-run defaults, OK and Cancel, reopening, keys and records.
#include "DialogTestTools.h"

#include "pixorama/parlet/DlgGet.h"
#include "pixorama/parlet/QEVCtrlContainer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace dialogs_test;

namespace {

struct DialogCase {
    const char* function;
    std::function<bool()> run;
    const wchar_t* title;
    const char* file; // null: keeps no values
};

std::vector<DialogCase> everyDialog()
{
    return {
        {"gDlgGetImaLoadPara", [] { tagQEVImaLoadPara p; return gDlgGetImaLoadPara(p); }, L"图像载入参数", "ImaLoad.ini"},
        {"gDlgGetImaROICirclePara", [] { tagQEVImaROICirclePara p; return gDlgGetImaROICirclePara(p); }, L"输入圆参数", "ImaROICircle.ini"},
        {"gDlgGetImaROIRectPara", [] { tagQEVImaROIRectPara p; return gDlgGetImaROIRectPara(p); }, L"输入矩形参数", "ImaROIRect.ini"},
        {"gDlgGetImaFormatPara", [] { tagQEVImaFormatPara p; return gDlgGetImaFormatPara(p); }, L"输出文件信息", "ImaFormat.ini"},
        {"gDlgGetImaPairPara", [] { tagQEVImaPairPara p; return gDlgGetImaPairPara(p); }, L"图像对参数", "ImaPair.ini"},
        {"gDlgGetFDKRecPara", [] { tagQEVImaVolumeRecPara p; return gDlgGetFDKRecPara(p); }, L"重建参数", "ImaRec.ini"},
        {"gDlgGetFanSimPara", [] { tagQEVImaFanSimPara p; return gDlgGetFanSimPara(p); }, L"扇束仿真参数", "ImaFanSim.ini"},
        {"gDlgGetSipralSimPara", [] { tagQEVImaSipralSimPara p; return gDlgGetSipralSimPara(p); }, L"螺旋锥束成像仿真参数", "ImaSpiralConeBeamPara.ini"},
        {"gDlgGetImaRowDataPara", [] { tagQEVImaRowDataPara p; return gDlgGetImaRowDataPara(p); }, L"提取正弦图", "ImaRowDataPara.ini"},
        {"gDlgGetImaWeightAndExtentPara", [] { tagQEVImaWeightAndExtentPara p; return gDlgGetImaWeightAndExtentPara(p); }, L"探测器图像加权拓展", "ImaWeightAndExtentPara.ini"},
        {"gDlgGetFanRecPara", [] { tagQEVImaFanRecPara p; return gDlgGetFanRecPara(p); }, L"扇束重建参数", "ImaFanRec.ini"},
        {"gDlgGetImaGeneralPara", [] { tagQEVImaGeneralPara p; return gDlgGetImaGeneralPara(p); }, L"参数输入", "ImaGeneralPara.ini"},
        {"gDlgGetImaProcessSetPara", [] { tagQEVImaProcessPara p; return gDlgGetImaProcessSetPara(p); }, L"数据处理组合选择", nullptr},
        {"gDlgGetImaDimPara", [] { tagQEVImaDimPara p; return gDlgGetImaDimPara(p); }, L"输入图像大小", "ImaDim.ini"},
        {"gDlgGetImaMatrixThreePara", [] { tagQEVImaMatrixPara p; return gDlgGetImaMatrixThreePara(p); }, L"输入矩阵数据", "ImaMatrixThree.ini"},
        {"gDlgGetImaMatrixFourPara", [] { tagQEVImaMatrixPara p; return gDlgGetImaMatrixFourPara(p); }, L"输入矩阵数据", "ImaMatrixFour.ini"},
        {"gDlgGetImaMatrixFivePara", [] { tagQEVImaMatrixPara p; return gDlgGetImaMatrixFivePara(p); }, L"输入矩阵数据", "ImaMatrixFive.ini"},
        {"gDlgGetTwoPtPara", [] { tagQEVTwoPointsPara p; return gDlgGetTwoPtPara(p); }, L"输入和周期直线有关的参数", "TwoPointsPara.ini"},
    };
}

// Every value control of the visible window, by kind.
void expectFirstRunDefaults(DialogDriver& d, const char* function)
{
    QEVCtrlContainer* wnd = d.Container();
    ASSERT_NE(wnd, nullptr) << function;
    for (const auto& [name, item] : wnd->GetValueTable()) {
        QWidget* control = wnd->GetControl(item.index);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            EXPECT_EQ(edit->text(), QStringLiteral("nul")) << function << " " << plat::toUtf8(name);
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            EXPECT_EQ(combo->currentIndex(), 0) << function << " " << plat::toUtf8(name);
        else if (auto* check = qobject_cast<QCheckBox*>(control))
            // Only the byte order starts ticked: raw frames are little-endian.
            EXPECT_EQ(check->isChecked(), name == L"bLittleEndian") << function << " " << plat::toUtf8(name);
        else
            ADD_FAILURE() << function << ": no control for " << plat::toUtf8(name);
    }
}

} // namespace

TEST(DialogRuns, FirstRunShowsDefaultsAndCancelWritesNothing)
{
    for (const DialogCase& c : everyDialog()) {
        int checked = 0;
        DialogScript script([&](DialogDriver& d) {
            ++checked;
            EXPECT_EQ(d.Title(), c.title) << c.function;
            expectFirstRunDefaults(d, c.function);
            // Sized to fit the grid.
            plat::Rect content;
            d.Container()->GetContainerRect(content);
            EXPECT_EQ(d.Dialog().size(), QSize(content.width(), content.height())) << c.function;
            EXPECT_TRUE(d.PressCancel()) << c.function;
        });
        EXPECT_FALSE(c.run()) << c.function;
        EXPECT_EQ(checked, 1) << c.function;
        if (c.file != nullptr) {
            EXPECT_FALSE(std::filesystem::exists(paraFile(c.file))) << c.function;
        }
    }
}

TEST(DialogRuns, LittleEndianStartsTickedAndAStoredChoiceIsKept)
{
    const std::pair<const char*, std::function<bool()>> dialogs[] = {
        {"ImaLoad.ini", [] { tagQEVImaLoadPara p; return gDlgGetImaLoadPara(p) && p.bLittleEndian == 0; }},
        {"ImaFormat.ini", [] { tagQEVImaFormatPara p; return gDlgGetImaFormatPara(p) && p.bLittleEndian == 0; }},
    };
    for (const auto& dialog : dialogs) {
        const char* file = dialog.first;
        DialogScript untick([&](DialogDriver& d) {
            EXPECT_EQ(d.Checked(L"bLittleEndian"), std::optional<bool>(true)) << file;
            d.SetChecked(L"bLittleEndian", false);
            d.PressOk();
        });
        EXPECT_TRUE(dialog.second()) << file;
        const std::wstring section = plat::toWide(std::string(file).substr(0, std::string(file).find('.')));
        EXPECT_EQ(stored(file, section, L"bLittleEndian"), L"false") << file;
    }
    for (const auto& dialog : dialogs) {
        const char* file = dialog.first;
        DialogScript reopen([&](DialogDriver& d) {
            EXPECT_EQ(d.Checked(L"bLittleEndian"), std::optional<bool>(false)) << file;
            d.PressCancel();
        });
        EXPECT_FALSE(dialog.second()) << file;
        EXPECT_EQ(reopen.shown, 1) << file;
    }
}

TEST(DialogRuns, OkWritesEveryKeyAndReopeningShowsTheConfirmedValues)
{
    DialogScript first([](DialogDriver& d) {
        d.SetText(L"InImaW", L"512");
        d.SetText(L"InImaH", L"256");
        d.SetComboIndex(L"InImaPixelType", 1);
        d.SetChecked(L"bLittleEndian", true);
        d.SetText(L"skipBytes", L"64");
        d.SetText(L"MapRangeLowIn", L"0.5");
        d.SetText(L"MapRangeHighIn", L"1000.25");
        d.PressOk();
    });
    tagQEVImaLoadPara para;
    ASSERT_TRUE(gDlgGetImaLoadPara(para));
    EXPECT_EQ(para.InImaW, 512);
    EXPECT_EQ(para.InImaH, 256);
    EXPECT_EQ(para.InImaPixelType, 1);
    EXPECT_EQ(para.bLittleEndian, 1);
    EXPECT_EQ(para.skipBytes, 64);
    EXPECT_EQ(para.bUseMapRange, 0);
    EXPECT_FLOAT_EQ(para.MapRangeLowIn, 0.5f);
    EXPECT_FLOAT_EQ(para.MapRangeHighIn, 1000.25f);
    // Untouched edits still say "nul", which reads as 0.
    EXPECT_FLOAT_EQ(para.MapRangeLowOut, 0.0f);

    const std::pair<const wchar_t*, const wchar_t*> keys[] = {
        {L"InImaW", L"512"},         {L"InImaH", L"256"},        {L"InImaPixelType", L"1"},
        {L"bLittleEndian", L"true"}, {L"skipBytes", L"64"},      {L"bUseMapRange", L"false"},
        {L"MapRangeLowIn", L"0.5"},  {L"MapRangeHighIn", L"1000.25"}, {L"MapRangeLowOut", L"nul"},
        {L"MapRangeHighOut", L"nul"},
    };
    for (const auto& [key, value] : keys)
        EXPECT_EQ(stored("ImaLoad.ini", L"ImaLoad", key), value) << plat::toUtf8(key);

    DialogScript again([](DialogDriver& d) {
        EXPECT_EQ(d.Value(L"InImaW"), L"512");
        EXPECT_EQ(d.Value(L"InImaPixelType"), L"1");
        EXPECT_EQ(d.Text(L"InImaPixelType"), L"float");
        EXPECT_EQ(d.Checked(L"bLittleEndian"), std::optional<bool>(true));
        EXPECT_EQ(d.Value(L"MapRangeHighIn"), L"1000.25");
        EXPECT_EQ(d.Value(L"MapRangeLowOut"), L"nul");
        d.PressCancel();
    });
    tagQEVImaLoadPara unused;
    EXPECT_FALSE(gDlgGetImaLoadPara(unused));
}

TEST(DialogRuns, CancelLeavesFileAndRecordUntouched)
{
    {
        DialogScript confirm([](DialogDriver& d) {
            d.SetText(L"m_RectLeft", L"3");
            d.PressOk();
        });
        tagQEVImaROIRectPara first;
        ASSERT_TRUE(gDlgGetImaROIRectPara(first));
    }
    const std::string before = readText(paraFile("ImaROIRect.ini"));
    ASSERT_FALSE(before.empty());

    tagQEVImaROIRectPara record;
    record.m_RectLeft = 11;
    record.m_RectEnd = 66;
    DialogScript cancel([](DialogDriver& d) {
        EXPECT_EQ(d.Value(L"m_RectLeft"), L"3");
        d.SetText(L"m_RectLeft", L"999");
        d.SetText(L"m_RectEnd", L"999");
        d.PressCancel();
    });
    EXPECT_FALSE(gDlgGetImaROIRectPara(record));
    EXPECT_EQ(record.m_RectLeft, 11);
    EXPECT_EQ(record.m_RectEnd, 66);
    EXPECT_EQ(readText(paraFile("ImaROIRect.ini")), before);
}

TEST(DialogRuns, PixelTypeComboGivesTheOptionIndex)
{
    const wchar_t* const names[] = {L"ushort", L"float", L"short", L"uchar", L"int", L"double"};
    for (int index = 0; index < 6; ++index) {
        DialogScript script([&](DialogDriver& d) {
            EXPECT_EQ(d.ComboOptions(L"InImaPixelType"),
                      (std::vector<CString>{L"ushort", L"float", L"short", L"uchar", L"int", L"double"}));
            ASSERT_TRUE(d.SetComboIndex(L"InImaPixelType", index));
            EXPECT_EQ(d.Text(L"InImaPixelType"), names[index]);
            d.PressOk();
        });
        tagQEVImaLoadPara para;
        para.InImaPixelType = -7;
        ASSERT_TRUE(gDlgGetImaLoadPara(para));
        EXPECT_EQ(para.InImaPixelType, index);
        EXPECT_EQ(stored("ImaLoad.ini", L"ImaLoad", L"InImaPixelType"), std::to_wstring(index));
    }
}

TEST(DialogRuns, EnterIsOkAndEscIsCancel)
{
    {
        DialogScript enter([](DialogDriver& d) {
            d.SetText(L"ImaOneW", L"640");
            sendKey(d.Find(L"ImaOneW"), Qt::Key_Return);
        });
        tagQEVImaDimPara dim;
        EXPECT_TRUE(gDlgGetImaDimPara(dim));
        EXPECT_EQ(dim.ImaOneW, 640);
        EXPECT_EQ(stored("ImaDim.ini", L"ImaDim", L"ImaOneW"), L"640");
    }
    {
        DialogScript escape([](DialogDriver& d) {
            d.SetText(L"ImaOneW", L"1");
            sendKey(d.Find(L"ImaOneH"), Qt::Key_Escape);
        });
        tagQEVImaDimPara dim;
        dim.ImaOneW = 5;
        EXPECT_FALSE(gDlgGetImaDimPara(dim));
        EXPECT_EQ(dim.ImaOneW, 5);
        EXPECT_EQ(stored("ImaDim.ini", L"ImaDim", L"ImaOneW"), L"640");
    }
    {
        // accept() from a script is OK as well: the record is filled.
        DialogScript accept([](DialogDriver& d) {
            d.SetText(L"ImaOneH", L"480");
            static_cast<QDialog&>(d.Dialog()).accept();
        });
        tagQEVImaDimPara dim;
        EXPECT_TRUE(gDlgGetImaDimPara(dim));
        EXPECT_EQ(dim.ImaOneH, 480);
    }
}

TEST(DialogRuns, TabMovesThroughTheItemsInOrder)
{
    std::vector<QString> order;
    DialogScript script([&](DialogDriver& d) {
        QWidget* w = d.Find(L"InImaW");
        for (int i = 0; i < 12 && w != nullptr; ++i) {
            order.push_back(w->objectName().isEmpty() ? w->property("ctrlId").toString() : w->objectName());
            w = w->nextInFocusChain();
            while (w != nullptr && !(w->focusPolicy() & Qt::TabFocus))
                w = w->nextInFocusChain();
        }
        d.PressCancel();
    });
    tagQEVImaLoadPara para;
    gDlgGetImaLoadPara(para);
    const std::vector<QString> expected = {
        "InImaW", "InImaH", "InImaPixelType", "bLittleEndian", "skipBytes", "bUseMapRange", "MapRangeLowIn",
        "MapRangeHighIn", "MapRangeLowOut", "MapRangeHighOut", "1", "2"};
    EXPECT_EQ(order, expected);
}

TEST(DialogRuns, V2KeepsIndependentSetsPerFile)
{
    for (const auto& [file, value] : {std::pair{L"One.ini", L"first"}, std::pair{L"Two.ini", L"second"}}) {
        DialogScript script([&, value = value](DialogDriver& d) {
            EXPECT_EQ(d.Value(L"m_Content"), L"nul");
            d.SetText(L"m_Content", value);
            d.PressOk();
        });
        tagQEVImaGeneralPara para;
        ASSERT_TRUE(gDlgGetImaGeneralParaV2(para, L"Shared", file));
        EXPECT_EQ(para.m_Content, value);
    }
    EXPECT_EQ(stored("One.ini", L"Shared", L"m_Content"), L"first");
    EXPECT_EQ(stored("Two.ini", L"Shared", L"m_Content"), L"second");
    EXPECT_FALSE(std::filesystem::exists(paraFile("ImaGeneralPara.ini")));

    DialogScript reopen([](DialogDriver& d) {
        EXPECT_EQ(d.Value(L"m_Content"), L"first");
        d.PressCancel();
    });
    tagQEVImaGeneralPara para;
    EXPECT_FALSE(gDlgGetImaGeneralParaV2(para, L"Shared", L"One.ini"));
}

TEST(DialogRuns, ConfirmingKeepsTheCallersOwnMembers)
{
    DialogScript script([](DialogDriver& d) {
        d.SetText(L"OutImaW", L"128");
        d.PressOk();
    });
    tagQEVImaFormatPara format;
    format.Files = {L"a.raw", L"b.raw"};
    auto* progress = reinterpret_cast<QProgressBar*>(std::uintptr_t(0x1000));
    format.ProgressCtrl = progress;
    ASSERT_TRUE(gDlgGetImaFormatPara(format));
    EXPECT_EQ(format.OutImaW, 128);
    EXPECT_EQ(format.OutDir, L"nul");
    EXPECT_EQ(format.Files, (std::vector<CString>{L"a.raw", L"b.raw"}));
    EXPECT_EQ(format.ProgressCtrl, progress);
}

TEST(DialogRuns, MatrixElementsUseTheirKeys)
{
    DialogScript script([](DialogDriver& d) {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                EXPECT_TRUE(d.SetText(L"ImaMatrix3" + std::to_wstring(r) + std::to_wstring(c),
                                      std::to_wstring(r * 10 + c)));
        d.SetText(L"ImaMatrix312", L"-2.5");
        EXPECT_FALSE(d.Has(L"ImaMatrix433"));
        d.PressOk();
    });
    tagQEVImaMatrixPara matrix;
    matrix.m_Matrix4[3][3] = 7.0f;
    matrix.m_Matrix5[4][4] = 9.0f;
    ASSERT_TRUE(gDlgGetImaMatrixThreePara(matrix));
    EXPECT_FLOAT_EQ(matrix.m_Matrix3[1][2], -2.5f);
    EXPECT_FLOAT_EQ(matrix.m_Matrix3[2][1], 21.0f);
    EXPECT_FLOAT_EQ(matrix.m_Matrix3[0][0], 0.0f);
    // The other sizes are not this dialog's.
    EXPECT_FLOAT_EQ(matrix.m_Matrix4[3][3], 7.0f);
    EXPECT_FLOAT_EQ(matrix.m_Matrix5[4][4], 9.0f);
    EXPECT_EQ(stored("ImaMatrixThree.ini", L"ImaMatrixThree", L"ImaMatrix312"), L"-2.5");
    EXPECT_EQ(stored("ImaMatrixThree.ini", L"ImaMatrixThree", L"ImaMatrix300"), L"0");
    EXPECT_EQ(stored("ImaMatrixThree.ini", L"ImaMatrixThree", L"ImaMatrix333"), L"<missing>");

    DialogScript five([](DialogDriver& d) {
        EXPECT_TRUE(d.SetText(L"ImaMatrix534", L"3.25"));
        d.PressOk();
    });
    ASSERT_TRUE(gDlgGetImaMatrixFivePara(matrix));
    EXPECT_FLOAT_EQ(matrix.m_Matrix5[3][4], 3.25f);
    EXPECT_FLOAT_EQ(matrix.m_Matrix3[1][2], -2.5f);
    EXPECT_EQ(stored("ImaMatrixFive.ini", L"ImaMatrixFive", L"ImaMatrix534"), L"3.25");
}

TEST(DialogRuns, ReconstructionStoresComboIndexTextAndWholeExtrapolation)
{
    DialogScript script([](DialogDriver& d) {
        d.SetComboIndex(L"m_BeamHardenType", 3);
        d.SetComboIndex(L"m_RecType", 1);
        d.SetText(L"m_ExtrapolationSize", L"12.7");
        d.SetText(L"m_CutOff", L"0.6");
        d.SetChecked(L"m_bUseStdRec", true);
        d.SetText(L"m_LabelFile", L"LabelOne.raw");
        d.PressOk();
    });
    tagQEVImaVolumeRecPara rec;
    ASSERT_TRUE(gDlgGetFDKRecPara(rec));
    EXPECT_EQ(rec.m_BeamHardenType, L"3");
    EXPECT_EQ(rec.m_RecType, L"1");
    EXPECT_EQ(rec.m_DRPixelType, L"0");
    EXPECT_FLOAT_EQ(rec.m_ExtrapolationSize, 12.0f);
    EXPECT_FLOAT_EQ(rec.m_CutOff, 0.6f);
    EXPECT_EQ(rec.m_bUseStdRec, 1);
    EXPECT_EQ(rec.m_LabelFile, L"LabelOne.raw");
    EXPECT_EQ(rec.m_widthOri, 0); // "nul"
}

TEST(DialogRuns, AWorkerThreadGetsItsDialogOnTheInterfaceThread)
{
    DialogScript script([](DialogDriver& d) {
        EXPECT_TRUE(QThread::currentThread() == qApp->thread());
        d.SetText(L"ImaOneW", L"33");
        d.PressOk();
    });
    tagQEVImaDimPara dim;
    bool confirmed = false;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        confirmed = gDlgGetImaDimPara(dim);
        done = true;
    });
    for (int i = 0; i < 500 && !done; ++i)
        spin(10);
    worker.join();
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(dim.ImaOneW, 33);
}
