#include "pixorama/tilemo/Tilemo.h"

#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleSegBar.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/ViewGrid.h"

#include "WidgetRect.h"

#include <QPointer>
#include <QTextEdit>

namespace {

constexpr unsigned WS_VISIBLE = 0x10000000;

// The process's layout. The windows belong to the parent given at
// creation (Qt deletes them with it); the ratios outlive them.
struct Layout {
    ViewGrid grid;
    QPointer<EleContainer> container;
};

Layout& layout()
{
    static Layout instance;
    return instance;
}

EleViewContainer* viewArea()
{
    EleContainer* c = layout().container.data();
    return c == nullptr ? nullptr : c->viewArea();
}

bool refreshView(int slot)
{
    EleViewContainer* area = viewArea();
    if (area == nullptr)
        return false;
    area->view(slot)->invalidate();
    return true;
}

} // namespace

bool gCTERCreate(const CString&, const CString& windowName, unsigned style, const plat::Rect& rect,
                 plat::Wnd* parent, int id)
{
    if (parent == nullptr)
        return false;
    Layout& l = layout();
    delete l.container.data();
    auto* c = new EleContainer(parent, parent, l.grid);
    c->setWindowTitle(QString::fromStdWString(windowName));
    c->setProperty("controlId", id);
    c->setGeometry(widgetRect(rect));
    c->setVisible((style & WS_VISIBLE) != 0);
    l.container = c;
    return true;
}

bool gCTERSetParaView(QWidget* view)
{
    EleContainer* c = layout().container.data();
    if (c == nullptr || view == nullptr)
        return false;
    c->setParaView(view);
    return true;
}

bool gCTERSetLayOut(float gridRatio, float rowRatio, float columnRatio, bool maximised)
{
    layout().grid.setLayOut(gridRatio, rowRatio, columnRatio, maximised);
    if (EleViewContainer* area = viewArea())
        area->layOut();
    return true;
}

bool gCTERSetRespondToMaxView(bool respond)
{
    layout().grid.setRespondToMaximise(respond);
    return true;
}

bool gCTERSetSegBarColor(int red, int green, int blue)
{
    EleSegBar::setColor(red, green, blue);
    if (EleContainer* c = layout().container.data()) {
        c->bar()->invalidate();
        for (int i = 0; i < 3; ++i)
            c->viewArea()->bar(i)->invalidate();
    }
    return true;
}

bool gCTERSetInfo(const CString& text)
{
    EleViewContainer* area = viewArea();
    if (area == nullptr)
        return false;
    area->setInfo(text);
    return true;
}

QTextEdit* gCTERGetInfoCtrl()
{
    EleViewContainer* area = viewArea();
    return area == nullptr ? nullptr : area->infoCtrl();
}

CString gCTERGetInfo()
{
    EleViewContainer* area = viewArea();
    return area == nullptr ? CString() : area->infoText();
}

bool gCTEROnSize(const plat::Rect& rect)
{
    EleContainer* c = layout().container.data();
    if (c == nullptr)
        return false;
    c->setGeometry(widgetRect(rect));
    c->invalidate();
    return true;
}

bool gCTERRefreshAllView()
{
    EleViewContainer* area = viewArea();
    if (area == nullptr)
        return false;
    area->refreshAll();
    return true;
}

bool gCTERRefreshLTView() { return refreshView(0); }
bool gCTERRefreshRTView() { return refreshView(1); }
bool gCTERRefreshLBView() { return refreshView(2); }
bool gCTERRefreshRBView() { return refreshView(3); }

EleContainer* gCTERGetContainer()
{
    return layout().container.data();
}
