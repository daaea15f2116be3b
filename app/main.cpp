#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/platform/Translation.h"
#include "pixorama/workbench/CPixoramaApp.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Answered before Qt starts, so it needs no display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("pixorama %s\n", plat::projectVersion());
            return 0;
        }
    plat::keepLargeBlocksForReuse();
    QApplication qt(argc, argv);
    const WorkbenchOptions options = CPixoramaApp::parseCommandLine(QApplication::arguments());
    if (options.help || !options.error.empty()) {
        if (!options.error.empty())
            std::fprintf(stderr, "pixorama: %s\n", plat::toUtf8(options.error).c_str());
        std::fputs(plat::toUtf8(CPixoramaApp::usage()).c_str(), options.help ? stdout : stderr);
        return options.help ? 0 : 2;
    }
    if (!options.screenshot.empty()) {
        // Nobody is there to close a message box: say it on stderr instead.
        plat::setMessageBoxResponder([](const std::wstring& text, const std::wstring&, unsigned) {
            std::fprintf(stderr, "pixorama: %s\n", plat::toUtf8(text).c_str());
            return plat::IDOK;
        });
    }
    plat::setLanguage(plat::startLanguage(options.language));
    CPixoramaApp app;
    return app.run(options);
}
