#include "MonkeyAnswers.h"

#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

std::string utf8(const std::wstring& text)
{
    return plat::toUtf8(text);
}

template <typename T>
std::vector<T*> usable(QDialog& dialog)
{
    std::vector<T*> found;
    for (T* widget : dialog.findChildren<T*>())
        if (widget->isVisible() && widget->isEnabled())
            found.push_back(widget);
    return found;
}

// Numbers at and past the edges every numeric field should survive.
const std::vector<std::wstring> boundaryTexts = {
    L"0", L"-1", L"1", L"2", L"255", L"256", L"65535", L"65536", L"2147483647", L"-2147483648",
    L"99999999999", L"0.5", L"-0.001", L"1e308", L"nan", L"inf", L"", L" ", L"abc", L"12abc", L"１２",
};

// Sizes and counts that fit the corpus's pictures and sequences.
const std::vector<std::wstring> corpusSizes = {L"64", L"48", L"256", L"37", L"23", L"3", L"4", L"10", L"100", L"16"};

} // namespace

MonkeyAnswers::MonkeyAnswers(MonkeyRandom& stream, MonkeyLog& lines, std::vector<std::wstring> files,
                             std::filesystem::path filesFolder, std::filesystem::path saveFolder)
    : random(stream), log(lines), corpus(std::move(files)), corpusFolder(std::move(filesFolder)),
      outFolder(std::move(saveFolder))
{
    plat::setMessageBoxResponder([this](const std::wstring& text, const std::wstring&, unsigned style) {
        return messageBox(text, style);
    });
    plat::setFileDialogResponder([this](const plat::FileDialogRequest& request) {
        return chooseFiles(request.save, request.multiSelect);
    });
    plat::setFolderDialogResponder([this](const std::wstring&) { return chooseFolder(); });
    plat::setColorDialogResponder([this](plat::ColorRef& color) {
        color = plat::ColorRef{std::uint32_t(random.Below(1u << 24))};
        const bool confirmed = random.Chance(80);
        log.Line("  colour -> " + std::string(confirmed ? "chosen" : "cancelled"));
        return confirmed;
    });
    plat::setDialogHook([this](QDialog& dialog) { fillDialog(dialog); });
}

MonkeyAnswers::~MonkeyAnswers()
{
    plat::setDialogHook({});
    plat::setColorDialogResponder({});
    plat::setFolderDialogResponder({});
    plat::setFileDialogResponder({});
    plat::setMessageBoxResponder({});
}

int MonkeyAnswers::messageBox(const std::wstring& text, unsigned style)
{
    std::vector<int> answers;
    switch (style & 0xF) {
    case plat::MB_OKCANCEL: answers = {plat::IDOK, plat::IDCANCEL}; break;
    case plat::MB_YESNOCANCEL: answers = {plat::IDYES, plat::IDNO, plat::IDCANCEL}; break;
    case plat::MB_YESNO: answers = {plat::IDYES, plat::IDNO}; break;
    default: answers = {plat::IDOK}; break;
    }
    const int answer = random.Pick(answers);
    log.Line("  message \"" + utf8(text) + "\" -> " + std::to_string(answer));
    return answer;
}

std::vector<std::wstring> MonkeyAnswers::chooseFiles(bool save, bool multi)
{
    std::vector<std::wstring> chosen;
    if (random.Chance(10)) {
        log.Line("  file chooser -> cancelled");
        return chosen;
    }
    if (save) {
        static const std::vector<std::wstring> extensions = {L"bmp", L"png", L"jpg", L"raw", L"tif", L"", L"txt"};
        chosen.push_back(plat::fromPath(outFolder) + L"/saved" + std::to_wstring(saved++) + L"."
                         + random.Pick(extensions));
    } else {
        const int count = multi ? random.Between(1, 5) : 1;
        for (int i = 0; i < count; ++i)
            chosen.push_back(random.Pick(corpus));
    }
    for (const auto& path : chosen)
        log.Line("  file chooser -> " + utf8(path));
    return chosen;
}

std::wstring MonkeyAnswers::chooseFolder()
{
    const std::vector<std::wstring> folders = {plat::fromPath(corpusFolder), plat::fromPath(outFolder), L"",
                                               L"/nonexistent/folder"};
    const std::wstring folder = random.Pick(folders);
    log.Line("  folder chooser -> \"" + utf8(folder) + "\"");
    return folder;
}

std::wstring MonkeyAnswers::editText(const std::wstring& current)
{
    const bool path = current.find(L'/') != std::wstring::npos || current.find(L'\\') != std::wstring::npos;
    switch (random.Below(4)) {
    case 0: return current;
    case 1:
        if (path)
            return random.Chance(50) ? random.Pick(corpus) : plat::fromPath(outFolder);
        return random.Pick(corpusSizes);
    case 2: return random.Pick(boundaryTexts);
    default: {
        // A nearby number, as a user nudging a value would type.
        try {
            const long long value = std::stoll(current);
            return std::to_wstring(value + random.Between(-10, 10));
        } catch (...) {
            return current;
        }
    }
    }
}

void MonkeyAnswers::fillDialog(QDialog& dialog)
{
    DialogDriver driver(dialog);
    log.Line("  dialog \"" + utf8(driver.Title()) + "\"");
    for (QLineEdit* edit : usable<QLineEdit>(dialog))
        if (!edit->isReadOnly() && random.Chance(50)) {
            const std::wstring text = editText(edit->text().toStdWString());
            edit->setText(QString::fromStdWString(text));
            log.Line("    " + edit->objectName().toStdString() + " = \"" + utf8(text) + "\"");
        }
    for (QComboBox* combo : usable<QComboBox>(dialog))
        if (combo->count() > 0 && random.Chance(50))
            combo->setCurrentIndex(int(random.Below(std::uint64_t(combo->count()))));
    for (QCheckBox* box : usable<QCheckBox>(dialog))
        if (random.Chance(30))
            box->setChecked(!box->isChecked());

    // A few presses: other buttons of the dialog, Next on a wizard, then OK
    // or Cancel; a dialog still open after that is closed.
    for (int step = 0; step < 4 && dialog.isVisible(); ++step) {
        const auto buttons = usable<QPushButton>(dialog);
        const auto roll = random.Below(100);
        if (roll < 15 && !buttons.empty()) {
            QPushButton* button = random.Pick(buttons);
            log.Line("    press \"" + button->text().toStdString() + "\"");
            button->click();
        } else if (roll < 40 && driver.Button(1346)) {
            log.Line("    next");
            driver.PressNext();
        } else if (roll < 85) {
            log.Line("    ok");
            driver.PressOk();
        } else {
            log.Line("    cancel");
            driver.PressCancel();
        }
    }
    if (dialog.isVisible())
        dialog.done(QDialog::Rejected);
}
