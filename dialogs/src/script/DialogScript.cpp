#include "pixorama/parlet/DialogScript.h"

#include "pixorama/platform/Modal.h"

#include <QDialog>

DialogScript::DialogScript(std::function<void(DialogDriver&)> act)
{
    plat::setDialogHook([this, act = std::move(act)](QDialog& dialog) {
        ++shown;
        DialogDriver driver(dialog);
        act(driver);
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
    });
}

DialogScript::~DialogScript()
{
    plat::setDialogHook({});
}
