// The dialog that hosts a parameter window: modal and non-modal runs,
// captions, end codes and where its values are kept.
#include "DialogTestTools.h"

#include "pixorama/parlet/QEVDlgBase.h"

#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace dialogs_test;

TEST(DlgBase, ModalRunEndsWithOneForOkAndTwoForCancelOrClose)
{
    const std::function<void(DialogDriver&)> endings[] = {
        [](DialogDriver& d) { d.Dialog().close(); },
        [](DialogDriver& d) { d.PressCancel(); },
        [](DialogDriver& d) { d.PressOk(); },
    };
    const int expected[] = {2, 2, 1};
    for (int i = 0; i < 3; ++i) {
        DialogScript script(endings[i]);
        QEVDlgBase dialog;
        dialog.GetImaParaWnd().SetWndType(QEV_ROICIRCLE);
        EXPECT_EQ(dialog.DoModal(), -1); // nothing prepared yet
        EXPECT_NE(dialog.CreateModeDlg(0, L"圆参数", {0, 0, 400, 200}, 1, nullptr), 0);
        EXPECT_EQ(dialog.DoModal(), expected[i]) << i;
        EXPECT_EQ(std::filesystem::exists(paraFile("ImaROICircle.ini")), i == 2) << i;
    }
}

TEST(DlgBase, CaptionIsReplacedByTheTypeTitleUnlessAskedToKeepIt)
{
    for (const bool useDefault : {true, false}) {
        std::wstring title;
        DialogScript script([&](DialogDriver& d) {
            title = d.Title();
            d.PressCancel();
        });
        QEVDlgBase dialog;
        dialog.GetImaParaWnd().SetWndType(QEV_TWOPOINTS);
        dialog.SetUseDefaultName(useDefault);
        dialog.CreateModeDlg(0, L"两点参数", {0, 0, 400, 200}, 1, nullptr);
        dialog.DoModal();
        EXPECT_EQ(title, useDefault ? L"输入和周期直线有关的参数" : L"两点参数");
    }
}

TEST(DlgBase, ConfigInfoPicksSectionAndFile)
{
    DialogScript script([](DialogDriver& d) {
        d.SetText(L"m_Content", L"2.5");
        d.PressOk();
    });
    QEVDlgBase dialog(L"MeasureScaleInfo", L"MeasureScale.ini", QEV_GENERAL);
    dialog.CreateModeDlg(0, L"参数输入", {0, 0, 400, 200}, 1, nullptr);
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.GetImaParaWnd().m_GeneralPara.m_Content, L"2.5");
    EXPECT_EQ(stored("MeasureScale.ini", L"MeasureScaleInfo", L"m_Content"), L"2.5");
    EXPECT_EQ(dialog.GetSize(), (plat::Size{dialog.width(), dialog.height()}));
}

TEST(DlgBase, NonModalShowsAtOnceSavesOnOkAndDeletesItself)
{
    QPointer<QEVDlgBase> dialog = new QEVDlgBase;
    dialog->GetImaParaWnd().SetWndType(QEV_IMADIM);
    EXPECT_NE(dialog->CreateModeDlg(0, L"图像尺寸", {0, 0, 400, 200}, 0, nullptr), 0);
    ASSERT_TRUE(dialog->isVisible());
    DialogDriver driver(*dialog);
    EXPECT_EQ(driver.Title(), L"输入图像大小");
    driver.SetText(L"ImaOneW", L"99");
    driver.PressOk();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(stored("ImaDim.ini", L"ImaDim", L"ImaOneW"), L"99");

    QPointer<QEVDlgBase> cancelled = new QEVDlgBase;
    cancelled->GetImaParaWnd().SetWndType(QEV_IMADIM);
    cancelled->CreateModeDlg(0, L"图像尺寸", {0, 0, 400, 200}, 0, nullptr);
    DialogDriver(*cancelled).PressCancel();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(cancelled.isNull());
}

TEST(DlgBase, NonModalWithAHiddenOwnerIsStillDeletedAfterOkOrCancel)
{
    QWidget owner;
    owner.show();
    for (const bool ok : {true, false}) {
        QPointer<QEVDlgBase> dialog = new QEVDlgBase;
        dialog->GetImaParaWnd().SetWndType(QEV_IMADIM);
        EXPECT_NE(dialog->CreateModeDlg(0, L"图像尺寸", {0, 0, 400, 200}, 0, &owner), 0);
        ASSERT_TRUE(dialog->isVisible());
        // The owner is hidden (or minimised) and the window manager hides
        // its dialogs with it.
        owner.hide();
        dialog->hide();
        DialogDriver driver(*dialog);
        driver.SetText(L"ImaOneW", L"7");
        EXPECT_TRUE(ok ? driver.PressOk() : driver.PressCancel());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull()) << (ok ? "OK" : "Cancel");
        delete dialog.data();
        owner.show();
    }
    // OK still stored the value.
    EXPECT_EQ(stored("ImaDim.ini", L"ImaDim", L"ImaOneW"), L"7");
}
