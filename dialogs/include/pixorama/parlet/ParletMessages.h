#pragma once

// Private messages between the parameter windows and their hosts.
constexpr unsigned MSG_PRE_NEXT = 0x0544;     // a page's Pre or Next; lParam: const CString* button text
constexpr unsigned MSG_WIZARD_FINISH = 0x054A; // the wizard was finished
constexpr unsigned MSG_SHOW_PAGE = 0x07E8;     // wParam: page index

// Fixed control ids.
constexpr int IDC_PRE = 1344;
constexpr int IDC_NEXT = 1346;
constexpr int IDC_COMPUTE_PAIR_SIZE = 1324;
constexpr int IDC_BROWSE_RECONSTRUCTION = 1326;
constexpr int IDC_BROWSE_PAIR = 1328;
constexpr int IDC_BROWSE_FORMAT = 1330;
constexpr int IDC_BROWSE_SPIRAL = 1332;
constexpr int IDC_BROWSE_ROWDATA = 1334;
constexpr int IDC_BROWSE_WEIGHT = 1336;
constexpr int IDC_STEP_SOURCE = 10024;
constexpr int IDC_STEP_TARGET = 10025;
