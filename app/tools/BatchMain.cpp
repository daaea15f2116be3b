#include "pixorama/platform/System.h"
#include "pixorama/workbench/BatchProgram.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv)
{
    plat::keepLargeBlocksForReuse();
    // Picture encoders need an application object; no display is opened.
    QCoreApplication app(argc, argv);
    return RunBatchProgram(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
