#include "pixorama/parlet/MenuBuilders.h"

#include "pixorama/platform/SourceText.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace {

struct Pane {
    const wchar_t* text;
    int width;
};

constexpr Pane panes[] = {
    {L"进度条", 200},
    {L"坐标信息", 300},
    {L"像素信息", 300},
    {L"编辑信息", 300},
};
constexpr int paneCount = int(std::size(panes));
constexpr int resizedProgressWidth = 400;

QString paneName(int pane)
{
    return QStringLiteral("pane%1").arg(pane);
}

} // namespace

QLabel* gStatusBarPane(QStatusBar* bar, int pane)
{
    if (bar == nullptr || pane < 0 || pane >= paneCount)
        return nullptr;
    return bar->findChild<QLabel*>(paneName(pane), Qt::FindDirectChildrenOnly);
}

bool gCreateStatusBar(QStatusBar* bar, QProgressBar* progress)
{
    if (bar == nullptr || progress == nullptr)
        return false;
    for (int i = 0; i < paneCount; ++i) {
        auto* label = new QLabel(bar);
        plat::setSourceText(label, QString::fromWCharArray(panes[i].text));
        label->setObjectName(paneName(i));
        label->setFixedWidth(panes[i].width);
        bar->addWidget(label);
    }
    // The progress control lies over pane 0 and follows it.
    QLabel* first = gStatusBarPane(bar, 0);
    progress->setParent(first);
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setTextVisible(false);
    progress->setGeometry(first->rect());
    progress->show();
    return true;
}

void gStatusBarOnSize(QStatusBar* bar, QProgressBar* progress)
{
    QLabel* first = gStatusBarPane(bar, 0);
    if (first == nullptr || progress == nullptr || progress->parentWidget() != first)
        return;
    first->setFixedWidth(resizedProgressWidth);
    progress->setGeometry(0, 0, resizedProgressWidth, first->height());
}
