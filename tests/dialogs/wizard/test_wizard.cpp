// The two-page wizard of gDlgGetLargeFovPara and its page index strip.
#include "DialogTestTools.h"

#include "pixorama/parlet/DlgGet.h"
#include "pixorama/parlet/LayOutCtrl.h"
#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/parlet/QEVCtrlContainer.h"
#include "pixorama/parlet/TitleCtrl.h"

#include <QAbstractButton>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace dialogs_test;

namespace {

LayOutCtrl* layoutOf(DialogDriver& d)
{
    return d.Dialog().findChild<LayOutCtrl*>();
}

QString nextText(DialogDriver& d)
{
    QAbstractButton* next = d.Button(IDC_NEXT);
    return next == nullptr ? QString() : next->text();
}

bool runWizard(tagQEVImaPairPara& pair, tagQEVImaVolumeRecPara& rec)
{
    return gDlgGetLargeFovPara(pair, rec);
}

} // namespace

TEST(Wizard, NextShowsTheSecondPageWhoseNextReadsFinish)
{
    DialogScript script([](DialogDriver& d) {
        EXPECT_EQ(d.Title(), L"大视场重建参数输入");
        LayOutCtrl* layout = layoutOf(d);
        ASSERT_NE(layout, nullptr);
        EXPECT_EQ(layout->GetVisiblePage(), 0);
        EXPECT_EQ(d.Container()->GetImaParaType(), QEV_IMAPAIR);
        EXPECT_EQ(nextText(d), QStringLiteral("下一步"));
        EXPECT_TRUE(static_cast<QPushButton*>(d.Button(IDC_NEXT))->isDefault());
        EXPECT_TRUE(d.Has(L"ImaOneW"));
        EXPECT_FALSE(d.Find(L"m_widthOri")->isVisibleTo(&d.Dialog()));

        EXPECT_TRUE(d.PressNext());
        EXPECT_EQ(layout->GetVisiblePage(), 1);
        EXPECT_EQ(layout->GetTitleCtrl().GetCurrentIndex(), 1);
        EXPECT_EQ(d.Container()->GetImaParaType(), QEV_VOLUMEREC);
        EXPECT_EQ(nextText(d), QStringLiteral("完成"));
        EXPECT_TRUE(static_cast<QPushButton*>(d.Button(IDC_NEXT))->isDefault());
        EXPECT_TRUE(d.Find(L"m_widthOri")->isVisibleTo(&d.Dialog()));
        EXPECT_FALSE(layout->GetPage(0).isVisible());
        // The page fills the area right of the strip.
        EXPECT_EQ(layout->GetPage(1).geometry(), QRect(50, 0, 1114, 770));

        EXPECT_TRUE(d.PressPre());
        EXPECT_EQ(layout->GetVisiblePage(), 0);
        EXPECT_TRUE(d.PressPre()); // already first: stays
        EXPECT_EQ(layout->GetVisiblePage(), 0);
        EXPECT_EQ(layout->GetTitleCtrl().GetCurrentIndex(), 0);
        EXPECT_EQ(d.Title(), L"大视场重建参数输入");
        d.PressCancel();
    });
    tagQEVImaPairPara pair;
    tagQEVImaVolumeRecPara rec;
    EXPECT_FALSE(runWizard(pair, rec));
    EXPECT_EQ(script.shown, 1);
}

TEST(Wizard, FinishFillsBothRecordsAndSavesBothPages)
{
    DialogScript script([](DialogDriver& d) {
        d.SetText(L"ImaOneW", L"100");
        d.SetChecked(L"bVertical", true);
        d.SetText(L"m_SaveDir", L"/pairs");
        d.PressNext();
        d.SetText(L"m_widthOri", L"2048");
        d.SetComboIndex(L"m_DRPixelType", 1);
        d.SetText(L"m_SaveDir", L"/volumes");
        d.PressNext(); // "完成"
    });
    tagQEVImaPairPara pair;
    pair.LeftFiles = {L"left.raw"};
    pair.m_SaveDir = L"callers";
    tagQEVImaVolumeRecPara rec;
    rec.m_Reserved[0] = 42;
    ASSERT_TRUE(runWizard(pair, rec));
    EXPECT_EQ(pair.ImaOneW, 100);
    EXPECT_EQ(pair.bVertical, 1);
    EXPECT_EQ(rec.m_widthOri, 2048);
    EXPECT_EQ(rec.m_DRPixelType, L"1");
    EXPECT_EQ(rec.m_SaveDir, L"/volumes");
    // The callers' own members.
    EXPECT_EQ(pair.LeftFiles, (std::vector<CString>{L"left.raw"}));
    EXPECT_EQ(pair.m_SaveDir, L"callers");
    EXPECT_EQ(rec.m_Reserved[0], 42);

    EXPECT_EQ(stored("ImaConcate.ini", L"ImaConcate", L"ImaOneW"), L"100");
    EXPECT_EQ(stored("ImaConcate.ini", L"ImaConcate", L"m_SaveDir"), L"/pairs");
    EXPECT_EQ(stored("ImaRec.ini", L"ImaRec", L"m_widthOri"), L"2048");
    EXPECT_EQ(stored("ImaRec.ini", L"ImaRec", L"m_DRPixelType"), L"1");

    DialogScript reopen([](DialogDriver& d) {
        EXPECT_EQ(d.Value(L"ImaOneW"), L"100");
        d.PressNext();
        EXPECT_EQ(d.Value(L"m_widthOri"), L"2048");
        EXPECT_EQ(d.Value(L"m_SaveDir"), L"/volumes");
        d.PressCancel();
    });
    tagQEVImaPairPara again;
    tagQEVImaVolumeRecPara againRec;
    EXPECT_FALSE(runWizard(again, againRec));
    EXPECT_EQ(again.ImaOneW, 0);
}

TEST(Wizard, CancellingReturnsFalseAndChangesNothing)
{
    for (const bool escape : {false, true}) {
        DialogScript script([escape](DialogDriver& d) {
            d.SetText(L"ImaOneW", L"5");
            d.PressNext();
            d.SetText(L"m_widthOri", L"6");
            if (escape)
                sendKey(d.Find(L"m_widthOri"), Qt::Key_Escape);
            else
                static_cast<QDialog&>(d.Dialog()).close();
        });
        tagQEVImaPairPara pair;
        pair.ImaOneW = 1;
        tagQEVImaVolumeRecPara rec;
        rec.m_widthOri = 2;
        EXPECT_FALSE(runWizard(pair, rec));
        EXPECT_EQ(pair.ImaOneW, 1);
        EXPECT_EQ(rec.m_widthOri, 2);
        EXPECT_FALSE(std::filesystem::exists(paraFile("ImaConcate.ini")));
        EXPECT_FALSE(std::filesystem::exists(paraFile("ImaRec.ini")));
    }
}

TEST(Wizard, EnterMovesOnAndFinishesOnTheLastPage)
{
    DialogScript script([](DialogDriver& d) {
        sendKey(d.Find(L"ImaOneW"), Qt::Key_Return);
        EXPECT_EQ(layoutOf(d)->GetVisiblePage(), 1);
        d.SetText(L"m_viewnum", L"360");
        sendKey(d.Find(L"m_viewnum"), Qt::Key_Return);
    });
    tagQEVImaPairPara pair;
    tagQEVImaVolumeRecPara rec;
    EXPECT_TRUE(runWizard(pair, rec));
    EXPECT_EQ(rec.m_viewnum, 360);
}

namespace {

class PageHost : public plat::Wnd {
public:
    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t) override
    {
        if (msg == MSG_SHOW_PAGE)
            shown.push_back(int(wParam));
        return 0;
    }
    std::vector<int> shown;
};

QRgb rgbAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(Wizard, TitleStripPaintsThePagesAndReportsChoices)
{
    PageHost host;
    host.resize(100, 300);
    TitleCtrl title;
    title.SetTitles({L"拼\r\n接", L"锥\r\n束\r\n重\r\n建"});
    title.Create({0, 0, 50, 300}, &host, 1125);
    host.show();

    QImage picture = title.grab().toImage();
    // Current title lighter, the other and the strip below in the strip grey.
    EXPECT_EQ(rgbAt(picture, 25, 3), 0xB4B4B4u);
    EXPECT_EQ(rgbAt(picture, 25, 103), 0x969696u);
    EXPECT_EQ(rgbAt(picture, 25, 250), 0x969696u);
    // Sunken frame: dark top and left, light bottom and right.
    EXPECT_EQ(rgbAt(picture, 0, 50), 0x787878u);
    EXPECT_EQ(rgbAt(picture, 25, 0), 0x787878u);
    EXPECT_EQ(rgbAt(picture, 49, 50), 0xB4B4B4u);
    EXPECT_EQ(rgbAt(picture, 25, 99), 0xB4B4B4u);

    title.Next();
    title.Next(); // clamped at the last page
    title.Previous();
    title.Previous(); // clamped at the first
    EXPECT_EQ(host.shown, (std::vector<int>{1, 1, 0, 0}));

    sendMouse(&title, QEvent::MouseButtonPress, QPoint(20, 150), Qt::LeftButton);
    EXPECT_EQ(title.GetCurrentIndex(), 1);
    EXPECT_EQ(host.shown.back(), 1);
    picture = title.grab().toImage();
    EXPECT_EQ(rgbAt(picture, 25, 3), 0x969696u);
    EXPECT_EQ(rgbAt(picture, 25, 103), 0xB4B4B4u);
    // A click below the titles chooses nothing.
    sendMouse(&title, QEvent::MouseButtonPress, QPoint(20, 250), Qt::LeftButton);
    EXPECT_EQ(host.shown.size(), 5u);
}
