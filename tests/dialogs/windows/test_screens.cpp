// What the dialogs look like: grabbed while shown, checked for drawn text
// and the dialog background. With PIXORAMA_SHOT_DIR set the pictures are
// also saved there as PNG, to be looked at by a person.
#include "DialogTestTools.h"

#include "pixorama/parlet/CDragAndDropListBox.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/parlet/QEVCtrlContainer.h"

#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace dialogs_test;

namespace {

void keep(const QImage& picture, const char* name)
{
    const char* folder = std::getenv("PIXORAMA_SHOT_DIR");
    if (folder != nullptr && *folder != '\0')
        picture.save(QString::fromUtf8(folder) + QLatin1Char('/') + QString::fromUtf8(name));
}

// Pixels clearly darker than the dialog's light background: text strokes.
int inkIn(const QImage& picture, const QRect& area)
{
    int ink = 0;
    const QRect r = area.intersected(picture.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(picture.pixel(x, y)) < 100)
                ++ink;
        }
    }
    return ink;
}

} // namespace

TEST(Screens, ImageLoadDialogShowsItsLabelsOnTheDialogBackground)
{
    QImage picture;
    std::vector<QRect> labels;
    DialogScript script([&](DialogDriver& d) {
        picture = d.Grab();
        QEVCtrlContainer* wnd = d.Container();
        ASSERT_NE(wnd, nullptr);
        for (const CtrlItem& item : wnd->GetItems()) {
            if (item.kind == L"Static")
                labels.push_back(wnd->GetControl(item.index)->geometry());
        }
        d.PressCancel();
    });
    tagQEVImaLoadPara para;
    EXPECT_FALSE(gDlgGetImaLoadPara(para));
    ASSERT_FALSE(picture.isNull());
    keep(picture, "image-load.png");
    EXPECT_EQ(picture.size(), QSize(650, 250));
    EXPECT_EQ(picture.pixel(2, 2) & 0xFFFFFF, 0xF0F0F0u);
    ASSERT_EQ(labels.size(), 10u);
    for (const QRect& label : labels)
        EXPECT_GT(inkIn(picture, label), 20) << label.x() << "," << label.y();
}

TEST(Screens, WizardShowsTheTitleStripAndTheFirstPage)
{
    QImage first;
    QImage second;
    DialogScript script([&](DialogDriver& d) {
        first = d.Grab();
        d.PressNext();
        second = d.Grab();
        d.PressCancel();
    });
    tagQEVImaPairPara pair;
    tagQEVImaVolumeRecPara rec;
    EXPECT_FALSE(gDlgGetLargeFovPara(pair, rec));
    ASSERT_FALSE(first.isNull());
    keep(first, "wizard-page1.png");
    keep(second, "wizard-page2.png");
    EXPECT_EQ(first.size(), QSize(1164, 770));
    // The strip is grey with the current title lighter, and has its text.
    EXPECT_EQ(first.pixel(25, 5) & 0xFFFFFF, 0xB4B4B4u);
    EXPECT_EQ(first.pixel(25, 105) & 0xFFFFFF, 0x969696u);
    EXPECT_GT(inkIn(first, QRect(1, 1, 48, 98)), 20);
    EXPECT_EQ(second.pixel(25, 5) & 0xFFFFFF, 0x969696u);
    EXPECT_EQ(second.pixel(25, 105) & 0xFFFFFF, 0xB4B4B4u);
}

TEST(Screens, ProcessChainShowsBothListsWithTheirLines)
{
    QImage picture;
    QRect source;
    QRect target;
    DialogScript script([&](DialogDriver& d) {
        picture = d.Grab();
        source = d.List(IDC_STEP_SOURCE)->geometry();
        target = d.List(IDC_STEP_TARGET)->geometry();
        d.PressCancel();
    });
    tagQEVImaProcessPara chain;
    EXPECT_FALSE(gDlgGetImaProcessSetPara(chain));
    ASSERT_FALSE(picture.isNull());
    keep(picture, "process-chain.png");
    // The header line in the target's first line, steps all down the source.
    EXPECT_GT(inkIn(picture, QRect(target.left() + 2, target.top() + 2, target.width() - 4, 24)), 20);
    EXPECT_EQ(inkIn(picture, QRect(target.left() + 2, target.top() + 60, target.width() - 20, 200)), 0);
    EXPECT_GT(inkIn(picture, QRect(source.left() + 2, source.bottom() - 60, source.width() - 20, 50)), 20);
}
