// Arbitrary bytes as a .srl project read into the browser's file lists: the
// tree shows exactly the list's paths, in order, and writing the project
// and reading it back gives the same list; a refused project changes nothing.
#include "FuzzInputFile.h"

#include "pixorama/brovia/QEVFileEngItem.h"

#include "pixorama/platform/Strings.h"

#include <QApplication>
#include <QTreeWidgetItem>

#include <cstdlib>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "fuzz_project";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(argc, argv);
    return app;
}

void expectTreeShows(QEVFileEngItem& lists)
{
    const std::vector<CString>& paths = lists.List(1);
    QTreeWidgetItem* heading = lists.ListItem(1);
    if (std::size_t(heading->childCount()) != paths.size())
        std::abort();
    for (int i = 0; i < heading->childCount(); ++i)
        if (heading->child(i)->text(0).toStdWString() != paths[std::size_t(i)])
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    application();
    static FuzzInputFile file(".srl");
    static QEVFileEngItem lists(nullptr);
    const CString path = plat::toWide(file.write(data, size));
    const std::vector<CString> before = lists.List(1);
    if (!lists.ReadProject(path)) {
        // A refused project (with its message) leaves the list as it was.
        if (lists.List(1) != before)
            std::abort();
        expectTreeShows(lists);
        return 0;
    }
    expectTreeShows(lists);
    const std::vector<CString> read = lists.List(1);
    if (!lists.WriteProject(path) || !lists.ReadProject(path) || lists.List(1) != read)
        std::abort();
    expectTreeShows(lists);
    return 0;
}
