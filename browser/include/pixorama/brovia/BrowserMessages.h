#pragma once

// Private messages of the browser layout and its panels.
constexpr unsigned WM_LAYOUT_BARMOVED = 0x0464;   // bar -> owner: wParam = displacement (int), lParam = bar id
constexpr unsigned WM_LAYOUT_BARMAXIMISE = 0x0465; // bar -> owner: wParam = 0, lParam = bar index
constexpr unsigned WM_LAYOUT_ADDTOLIST = 0x084C;  // wParam = list number (1 or 2), lParam = path (BSTR)
constexpr unsigned WM_LAYOUT_OPENFILE = 0x084E;   // wParam = 1, lParam = path (BSTR)
constexpr unsigned WM_LAYOUT_OBJECTPICKED = 0x084F; // wParam = 1, lParam = item text (BSTR)
constexpr unsigned WM_LAYOUT_OBJECTDELETED = 0x0852; // wParam = 1, lParam = item text (BSTR)
constexpr unsigned WM_LAYOUT_PARACHANGED = 0x089A; // wParam = tagQEVParaReport*, lParam = 0

// Window ids of the layout's sub-windows and controls.
constexpr int IDC_LAYOUT_FILEENG = 1224;
constexpr int IDC_LAYOUT_FILESET = 1226;
constexpr int IDC_LAYOUT_PARARAW = 1227;
constexpr int IDC_LAYOUT_PARACOLOR = 1229;
constexpr int IDC_LAYOUT_PARAVR = 1230;
constexpr int IDC_LAYOUT_INFOTREE = 1231;
constexpr int IDC_FILEENG_TREE = 1039;
constexpr int IDC_FILESET_TREE = 1254;
constexpr int IDC_INFOTREE_TREE = 1264;

// Context-menu commands of the file lists.
constexpr int ID_FILEENG_ONE_ADDFILES = 1234;
constexpr int ID_FILEENG_ONE_DELETEALL = 1235;
constexpr int ID_FILEENG_ONE_DELETESELECTED = 1236;
constexpr int ID_FILEENG_ONE_READPROJECT = 1238;
constexpr int ID_FILEENG_ONE_WRITEPROJECT = 1239;
constexpr int ID_FILEENG_ONE_FOLDERRAW = 1241;
constexpr int ID_FILEENG_ONE_FOLDERLIP = 1242;
constexpr int ID_FILEENG_ONE_FOLDERBMP = 1243;
constexpr int ID_FILEENG_ONE_FOLDERJPG = 1244;
constexpr int ID_FILEENG_TWO_ADDFILES = 1245;
constexpr int ID_FILEENG_TWO_DELETEALL = 1246;
constexpr int ID_FILEENG_TWO_DELETESELECTED = 1247;

// Context-menu commands of the folder tree.
constexpr int ID_FILESET_ADDTOONE = 1255;
constexpr int ID_FILESET_ADDTOTWO = 1256;
constexpr int ID_FILESET_REFRESH = 1257;
constexpr int ID_FILESET_BMPONLY = 1258;
constexpr int ID_FILESET_RAWONLY = 1259;

// Context-menu commands of the object tree.
constexpr int ID_INFOTREE_DELETESELECTEDMEASURE = 1265;
constexpr int ID_INFOTREE_DELETEALLMEASURE = 1266;
constexpr int ID_INFOTREE_DELETESELECTEDROI = 1267;
constexpr int ID_INFOTREE_DELETEALLROI = 1268;
constexpr int ID_INFOTREE_DELETESELECTEDFITTING = 1269;
constexpr int ID_INFOTREE_DELETEALLFITTING = 1270;
