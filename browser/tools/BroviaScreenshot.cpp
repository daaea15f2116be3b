// brovia_screenshot OUT.png [FOLDER]: the four-section browser layout in a
// plain 360 x 900 window, with the folder tree rooted at FOLDER (default:
// the user's roots), a few files in each list and both panels showing,
// grabbed to OUT.png.
#include <pixorama/brovia.h>
#include <pixorama/platform.h>

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>

namespace {

// A histogram with two humps, as a radiograph's often has.
std::vector<double> sampleHistogram()
{
    std::vector<double> bins(256);
    for (int i = 0; i < 256; ++i)
        bins[std::size_t(i)] = std::exp(-std::pow((i - 60) / 18.0, 2)) + 0.6 * std::exp(-std::pow((i - 170) / 30.0, 2));
    return bins;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: brovia_screenshot OUT.png [FOLDER]\n");
        return 2;
    }
    plat::Wnd host;
    host.setWindowTitle(QStringLiteral("Brovia"));
    host.resize(360, 900);
    gLayOutOneSetLayOutType(1);
    gLayOutOneCreateForConcatAndRec(&host, 1200);
    gLayOutOneSetClient({0, 0, 360, 900});
    QEVDBLayOut* layout = gLayOutOneGetLayOut();
    if (argc > 2)
        layout->FileSet()->SetRoots({plat::toWide(argv[2])});
    QTreeWidget* folders = layout->FileSet()->Tree();
    folders->expandItem(folders->topLevelItem(0)->child(0));
    layout->FileEng()->AddFiles(1, {L"/data/ct/proj_0001.raw", L"/data/ct/proj_0002.raw", L"/data/ct/proj_0003.raw"});
    layout->FileEng()->AddFiles(2, {L"/data/ct/flat_0001.raw"});
    if (auto* window = dynamic_cast<QEVDlgForContrast*>(layout->ParaRaw()->StripByReportId(19)))
        window->SetHistogram(sampleHistogram());
    host.show();
    QApplication::processEvents();
    // Give each section a share of the height, the way a user drags the bars.
    const int tops[] = {0, 260, 440, 640};
    for (int i = 1; i <= 3; ++i)
        layout->MoveSB(i, tops[i]);
    layout->ParaRaw()->OpenGroup(0);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(300, [&] {
        const bool saved = plat::saveImage(host.grab().toImage(), out.toStdWString(), "PNG");
        std::printf(saved ? "wrote %s\n" : "could not write %s\n", argv[1]);
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
