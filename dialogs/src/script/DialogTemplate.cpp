#include "pixorama/parlet/DialogTemplate.h"

#include "pixorama/platform/SourceText.h"

#include <QDialog>
#include <QFontMetrics>

DialogTemplate DialogTemplate::Build(const CString& caption, bool framed)
{
    DialogTemplate t;
    t.style = framed ? kFramedStyle : kChildStyle;
    t.caption = caption;
    return t;
}

void DialogTemplate::Apply(QDialog& dialog) const
{
    if (IsChild())
        dialog.setWindowFlags(Qt::Widget);
    else
        dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    plat::setSourceText(&dialog, QString::fromStdWString(caption));
    const QFontMetrics metrics(dialog.font());
    const int unitX = std::max(1, metrics.averageCharWidth());
    const int unitY = std::max(1, metrics.height());
    dialog.setGeometry(x * unitX / 4, y * unitY / 8, cx * unitX / 4, cy * unitY / 8);
}
