#include "pixorama/parlet/MenuBuilders.h"

#include "pixorama/platform/SourceText.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include <QAction>
#include <QBitmap>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QToolBar>

#include <vector>

namespace {

constexpr int imageSize = 20;

// The strip cut into its 20 x 20 images; black is transparent.
std::vector<QPixmap> loadStrip()
{
    const QImage strip(QString::fromStdWString(gToolBarStripPath()));
    std::vector<QPixmap> images;
    if (strip.isNull() || strip.height() < imageSize)
        return images;
    for (int x = 0; x + imageSize <= strip.width(); x += imageSize) {
        QPixmap image = QPixmap::fromImage(strip.copy(x, 0, imageSize, imageSize));
        image.setMask(image.createMaskFromColor(Qt::black));
        images.push_back(image);
    }
    return images;
}

} // namespace

CString gToolBarStripPath()
{
    return plat::fromPath(plat::dataFolder("QEVIma") / "ToolBarOne.bmp");
}

bool gSetToolBar(QMainWindow* parent, QToolBar& bar, const tagMSGResource* table, int count)
{
    if (parent == nullptr || table == nullptr || count < 0)
        return false;
    bar.clear();
    bar.setObjectName(QStringLiteral("ToolBarOne"));
    bar.setIconSize(QSize(imageSize, imageSize));
    bar.setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const std::vector<QPixmap> images = loadStrip();
    for (int i = 0; i < count; ++i) {
        QAction* button = bar.addAction(QString());
        plat::setSourceText(button, QString::fromStdWString(table[i].caption));
        button->setData(table[i].id);
        if (std::size_t(i) < images.size())
            button->setIcon(QIcon(images[std::size_t(i)]));
    }
    parent->addToolBar(Qt::TopToolBarArea, &bar);
    return true;
}
