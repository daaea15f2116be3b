#pragma once

#include "Types.h"

#include <functional>
#include <string>
#include <vector>

class QDialog;

// Modal interaction. Each function shows the real Qt dialog unless a
// responder is installed; tests and scripts install responders to answer
// without a person. Installing an empty function restores the real dialog.
// Texts, titles, initial names and filter descriptions are given in Chinese;
// the dialogs and the responders see them in the current language.
namespace plat {

// Message box styles and results, with their Windows values.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

using MessageBoxResponder = std::function<int(const std::wstring& text, const std::wstring& caption, unsigned style)>;
void setMessageBoxResponder(MessageBoxResponder responder);
// Shows a modal message box; returns IDOK, IDCANCEL, IDYES or IDNO.
int messageBox(const std::wstring& text, const std::wstring& caption = L"Pixorama", unsigned style = MB_OK);

// A file chooser request, in the terms of the Windows common dialog.
struct FileDialogRequest {
    bool save = false;                // save-style dialog; otherwise open
    bool multiSelect = false;         // open dialog only
    bool overwritePrompt = false;     // ask before choosing an existing file
    bool hideReadOnly = true;
    bool noChangeDir = true;          // keep the process's current directory
    std::wstring title;
    std::wstring initialName;         // initial file name, e.g. "未命名"
    std::wstring defaultExtension;    // appended when the user types none, without the dot
    std::wstring filter;              // Windows filter text: "描述|*.a;*.b|描述|*.c||"
};

// Converts a Windows filter text ("描述|*.a;*.b|...||") to Qt name filters
// ("描述 (*.a *.b)"), one per pair, in order.
std::vector<std::wstring> qtNameFilters(const std::wstring& windowsFilter);

// Chosen full paths; empty when cancelled.
using FileDialogResponder = std::function<std::vector<std::wstring>(const FileDialogRequest&)>;
void setFileDialogResponder(FileDialogResponder responder);
std::vector<std::wstring> fileDialog(const FileDialogRequest& request);

// Folder chooser: the chosen folder, or an empty string when cancelled.
using FolderDialogResponder = std::function<std::wstring(const std::wstring& title)>;
void setFolderDialogResponder(FolderDialogResponder responder);
std::wstring folderDialog(const std::wstring& title);

// Colour chooser: true and the colour when the user confirmed.
using ColorDialogResponder = std::function<bool(ColorRef& color)>;
void setColorDialogResponder(ColorDialogResponder responder);
bool colorDialog(ColorRef& color);

// Every modal dialog of the system runs through execModal. A hook installed
// here is called with the dialog once it is shown; it may read and set its
// controls and close it (accept, reject or done(id)).
using DialogHook = std::function<void(QDialog& dialog)>;
void setDialogHook(DialogHook hook);
int execModal(QDialog& dialog);

} // namespace plat
