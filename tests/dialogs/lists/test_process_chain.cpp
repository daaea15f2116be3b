// The drag-and-drop lists on their own and inside the processing-chain dialog.
#include "DialogTestTools.h"

#include "pixorama/parlet/CDragAndDropListBox.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/parlet/ParletMessages.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <gtest/gtest.h>

using namespace dialogs_test;

namespace {

const CString kHeader = L"以下为将要进行的操作";

// Records the drags a source starts; optionally drops them somewhere.
class DragRecorder {
public:
    DragRecorder()
    {
        CDragAndDropListBox::SetDragRunner([this](QDrag& drag) {
            auto* source = dynamic_cast<CDragAndDropListBox*>(drag.source());
            draggingDuringRun = source != nullptr && source->IsDragging();
            lines.push_back(QString::fromUtf8(drag.mimeData()->data(CDragAndDropListBox::kLineFormat)).toStdWString());
            if (onDrag)
                onDrag(drag);
            return Qt::CopyAction;
        });
    }
    ~DragRecorder() { CDragAndDropListBox::SetDragRunner({}); }

    std::vector<CString> lines;
    bool draggingDuringRun = false;
    std::function<void(QDrag&)> onDrag;
};

// Enter, move and drop over `at` (viewport coordinates); true when the drop was taken.
bool dropOn(CDragAndDropListBox* list, QPoint at, const QMimeData* data)
{
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &drop);
    return enter.isAccepted() && drop.isAccepted();
}

QPoint lineCentre(CDragAndDropListBox* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

std::unique_ptr<QMimeData> lineData(const QString& line)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(CDragAndDropListBox::kLineFormat, line.toUtf8());
    return data;
}

struct Lists {
    QWidget host;
    CDragAndDropListBox* source = new CDragAndDropListBox(&host);
    CDragAndDropListBox* target = new CDragAndDropListBox(&host);

    Lists()
    {
        host.resize(400, 300);
        source->setGeometry(0, 0, 200, 300);
        target->setGeometry(200, 0, 200, 300);
        source->addItems({"裁剪", "缩放", "锐化"});
        target->addItem(QString::fromStdWString(kHeader));
        source->SetRole(CDragAndDropListBox::RoleSource);
        target->SetRole(CDragAndDropListBox::RoleTarget);
        host.show();
    }
};

} // namespace

TEST(ProcessChain, AQuickClickSelectsWithoutDragging)
{
    Lists l;
    DragRecorder drags;
    const QPoint at = lineCentre(l.source, 1);
    // Released before the event loop could run the drag timer.
    sendMouse(l.source->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton);
    sendMouse(l.source->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
    spin(CDragAndDropListBox::kDragDelayMs + 150);
    EXPECT_TRUE(drags.lines.empty());
    EXPECT_EQ(l.source->currentRow(), 1);
    EXPECT_EQ(l.source->GetPressIndex(), 1);
}

TEST(ProcessChain, AHeldPressDragsTheLineUnderIt)
{
    Lists l;
    DragRecorder drags;
    sendMouse(l.source->viewport(), QEvent::MouseButtonPress, lineCentre(l.source, 2), Qt::LeftButton);
    spin(CDragAndDropListBox::kDragDelayMs + 150);
    EXPECT_EQ(drags.lines, (std::vector<CString>{L"锐化"}));
    EXPECT_TRUE(drags.draggingDuringRun);
    EXPECT_FALSE(l.source->IsDragging());
    // The source keeps its line: dragging copies.
    EXPECT_EQ(l.source->count(), 3);

    // A press below the last line has nothing to drag.
    sendMouse(l.source->viewport(), QEvent::MouseButtonRelease, lineCentre(l.source, 2), Qt::LeftButton);
    sendMouse(l.source->viewport(), QEvent::MouseButtonPress, QPoint(50, 280), Qt::LeftButton);
    spin(CDragAndDropListBox::kDragDelayMs + 150);
    EXPECT_EQ(drags.lines.size(), 1u);
    EXPECT_EQ(l.source->GetPressIndex(), -1);
}

TEST(ProcessChain, ADropGoesAfterTheLineUnderThePointer)
{
    Lists l;
    const auto crop = lineData("裁剪");
    const auto zoom = lineData("缩放");
    const auto sharpen = lineData("锐化");
    EXPECT_TRUE(dropOn(l.target, lineCentre(l.target, 0), crop.get()));
    EXPECT_EQ(l.target->Lines(), (std::vector<CString>{kHeader, L"裁剪"}));
    EXPECT_TRUE(dropOn(l.target, lineCentre(l.target, 0), zoom.get()));
    EXPECT_EQ(l.target->Lines(), (std::vector<CString>{kHeader, L"缩放", L"裁剪"}));
    // Below the last line: at the end.
    EXPECT_TRUE(dropOn(l.target, QPoint(50, 280), sharpen.get()));
    EXPECT_EQ(l.target->Lines(), (std::vector<CString>{kHeader, L"缩放", L"裁剪", L"锐化"}));
}

TEST(ProcessChain, ForeignDataAndNonTargetListsRefuseDrops)
{
    Lists l;
    QMimeData text;
    text.setText(QStringLiteral("裁剪"));
    EXPECT_FALSE(dropOn(l.target, lineCentre(l.target, 0), &text));
    EXPECT_EQ(l.target->Lines(), (std::vector<CString>{kHeader}));

    const auto line = lineData("缩放");
    EXPECT_FALSE(dropOn(l.source, lineCentre(l.source, 0), line.get()));
    EXPECT_EQ(l.source->count(), 3);
    EXPECT_FALSE(l.source->acceptDrops());
    EXPECT_TRUE(l.target->viewport()->acceptDrops());
}

TEST(ProcessChain, ARightClickDeletesTheLineInEitherList)
{
    Lists l;
    sendMouse(l.source->viewport(), QEvent::MouseButtonPress, lineCentre(l.source, 1), Qt::RightButton);
    EXPECT_EQ(l.source->Lines(), (std::vector<CString>{L"裁剪", L"锐化"}));
    sendMouse(l.target->viewport(), QEvent::MouseButtonPress, lineCentre(l.target, 0), Qt::RightButton);
    EXPECT_TRUE(l.target->Lines().empty());
    // Nothing under the pointer: nothing deleted.
    sendMouse(l.source->viewport(), QEvent::MouseButtonPress, QPoint(50, 280), Qt::RightButton);
    EXPECT_EQ(l.source->count(), 2);
}

TEST(ProcessChain, UntouchedChainIsJustTheHeader)
{
    DialogScript script([](DialogDriver& d) {
        CDragAndDropListBox* source = d.List(IDC_STEP_SOURCE);
        CDragAndDropListBox* target = d.List(IDC_STEP_TARGET);
        ASSERT_NE(source, nullptr);
        ASSERT_NE(target, nullptr);
        const std::vector<CString> steps = source->Lines();
        ASSERT_EQ(steps.size(), 41u);
        EXPECT_EQ(steps.front(), L"数据类型转化为Uc");
        EXPECT_EQ(steps[2], L"数据类型转化为Float");
        EXPECT_EQ(steps[7], L"数据类型转化为Float");
        EXPECT_EQ(steps.back(), L"直线检测");
        // Cells 120 wide; each list takes two columns over the ten rows.
        EXPECT_EQ(d.Dialog().size(), QSize(530, 450));
        EXPECT_EQ(source->geometry(), QRect(10, 10, 250, 390));
        EXPECT_EQ(target->geometry(), QRect(270, 10, 250, 390));
        d.PressOk();
    });
    tagQEVImaProcessPara chain;
    chain.m_ProcessList = {L"old"};
    ASSERT_TRUE(gDlgGetImaProcessSetPara(chain));
    EXPECT_EQ(chain.m_ProcessList, (std::vector<CString>{kHeader}));
}

TEST(ProcessChain, DraggedStepsArriveInTheRecordInOrder)
{
    DragRecorder drags;
    DialogScript script([&](DialogDriver& d) {
        CDragAndDropListBox* source = d.List(IDC_STEP_SOURCE);
        CDragAndDropListBox* target = d.List(IDC_STEP_TARGET);
        ASSERT_NE(source, nullptr);
        drags.onDrag = [&](QDrag& drag) { dropOn(target, lineCentre(target, target->count() - 1), drag.mimeData()); };
        for (const int step : {8, 11}) { // "裁剪", then "高斯平滑"
            const QPoint at = lineCentre(source, step);
            sendMouse(source->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton);
            spin(CDragAndDropListBox::kDragDelayMs + 150);
            sendMouse(source->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
        }
        d.PressOk();
    });
    tagQEVImaProcessPara chain;
    ASSERT_TRUE(gDlgGetImaProcessSetPara(chain));
    EXPECT_EQ(drags.lines, (std::vector<CString>{L"裁剪", L"高斯平滑"}));
    EXPECT_EQ(chain.m_ProcessList, (std::vector<CString>{kHeader, L"裁剪", L"高斯平滑"}));
}
