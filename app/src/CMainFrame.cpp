#include "pixorama/workbench/CMainFrame.h"

#include "pixorama/workbench/CPixoramaView.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace {

constexpr const wchar_t* title = L"图像分析软件 https://pixorama.example";

struct PaneSpec {
    const wchar_t* text;
    int width;
};

constexpr PaneSpec paneSpecs[CMainFrame::paneCount] = {
    {L"进度条", 200},
    {L"坐标信息", 300},
    {L"像素信息", 300},
    {L"编辑信息", 300},
};

} // namespace

CMainFrame::CMainFrame()
{
    setWindowTitle(QString::fromWCharArray(title));
    centre = new CPixoramaView(this);
    setCentralWidget(centre);
    createStatusBar();
    resize(1400, 900);
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    for (int i = 0; i < paneCount; ++i) {
        auto* label = new QLabel(QString::fromWCharArray(paneSpecs[i].text), bar);
        label->setMinimumWidth(paneSpecs[i].width);
        panes[std::size_t(i)] = label;
    }
    // The progress control sits on pane 0, over its text.
    progress = new QProgressBar(panes[0]);
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setTextVisible(false);
    progress->setGeometry(0, 0, paneSpecs[0].width, 18);
    for (QLabel* label : panes)
        bar->addWidget(label);
}

void CMainFrame::setPaneText(int pane, const std::wstring& text)
{
    if (pane < 0 || pane >= paneCount)
        return;
    panes[std::size_t(pane)]->setText(QString::fromStdWString(text));
}

std::wstring CMainFrame::paneText(int pane) const
{
    if (pane < 0 || pane >= paneCount)
        return {};
    return panes[std::size_t(pane)]->text().toStdWString();
}
