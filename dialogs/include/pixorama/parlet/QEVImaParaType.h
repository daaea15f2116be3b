#pragma once

#include <cstdint>

// The layouts of the parameter windows; each value has its own items,
// record and parameter file. Values 1 and 12 to 14 build nothing.
enum QEVImaParaType : std::int32_t {
    QEV_IMALOAD = 0,
    QEV_ROICIRCLE = 2,
    QEV_ROIRECT = 3,
    QEV_FORMAT = 4,
    QEV_IMAPAIR = 5,
    QEV_VOLUMEREC = 6,
    QEV_FANSIM = 7,
    QEV_SPIRALSIM = 8,
    QEV_ROWDATA = 9,
    QEV_WEIGHTEXTENT = 10,
    QEV_FANREC = 11,
    QEV_GENERAL = 15,
    QEV_PROCESS = 16,
    QEV_IMADIM = 17,
    QEV_MATRIXTHREE = 18,
    QEV_MATRIXFOUR = 19,
    QEV_MATRIXFIVE = 20,
    QEV_TWOPOINTS = 21,
    QEV_DERIVED = 22,
};
