#pragma once

#include "pixorama/common/CString.h"

#include <QImage>

#include <optional>
#include <vector>

class CDragAndDropListBox;
class QAbstractButton;
class QEVCtrlContainer;
class QWidget;

// Works a dialog of this library from code through its controls, as a
// person would: meant for a plat::setDialogHook callback, where tests and
// scripts fill in a gDlgGet dialog and press its buttons:
//
//   plat::setDialogHook([](QDialog& dialog) {
//       DialogDriver driver(dialog);
//       driver.SetText(L"InImaW", L"512");
//       driver.PressOk();
//   });
//
// Controls are found by item name, buttons and lists by control id. When a
// name or id occurs more than once (the wizard's pages), the control on the
// visible page wins, then the first one created.
class DialogDriver {
public:
    explicit DialogDriver(QWidget& dialog);

    QWidget& Dialog() const { return dialog; }
    CString Title() const;

    // The value control (edit, combo or check box) of an item name.
    QWidget* Find(const CString& name) const;
    bool Has(const CString& name) const { return Find(name) != nullptr; }

    // Text in the value convention: an edit's text, a combo's index ("%d"),
    // a check box's "true" or "false"; empty for an unknown name.
    CString Value(const CString& name) const;
    // The inverse; false for an unknown name or a value the control cannot take.
    bool SetValue(const CString& name, const CString& value);

    CString Text(const CString& name) const; // edit text or the combo's shown option
    bool SetText(const CString& name, const CString& text);
    int ComboIndex(const CString& name) const; // -1 when not a combo
    bool SetComboIndex(const CString& name, int index);
    std::vector<CString> ComboOptions(const CString& name) const;
    std::optional<bool> Checked(const CString& name) const;
    bool SetChecked(const CString& name, bool checked);

    // Buttons by id: 1 OK, 2 Cancel, 1344 Pre, 1346 Next, or an item's id.
    QAbstractButton* Button(int id) const;
    bool Press(int id);
    bool PressOk();
    bool PressCancel();
    bool PressPre();
    bool PressNext();

    // The visible parameter window, and a list of the processing chain.
    QEVCtrlContainer* Container() const;
    CDragAndDropListBox* List(int id) const;
    // Texts of the visible window's labels and headings, in item order.
    std::vector<CString> Labels() const;
    // What the dialog looks like now.
    QImage Grab() const;

private:
    QWidget& dialog;
};
