#include "pixorama/platform/Modal.h"

#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/platform/Translation.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <mutex>
#include <utility>

namespace plat {

namespace {

// Responders are installed by tests and scripts from any thread and read
// by whichever thread asks; each is copied out under the lock and called
// without it, so a responder may itself show another dialog.
struct Responders {
    std::mutex mutex;
    MessageBoxResponder messageBox;
    FileDialogResponder fileDialog;
    FolderDialogResponder folderDialog;
    ColorDialogResponder colorDialog;
    DialogHook dialogHook;
};

Responders& responders()
{
    static Responders instance;
    return instance;
}

template <typename T>
void install(T Responders::*member, T value)
{
    Responders& all = responders();
    std::lock_guard lock(all.mutex);
    all.*member = std::move(value);
}

template <typename T>
T installed(T Responders::*member)
{
    Responders& all = responders();
    std::lock_guard lock(all.mutex);
    return all.*member;
}

// Real dialogs need a widget application; without one (tools, fuzzers) a
// question gets the answer that changes nothing.
bool canShowWidgets()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

int cautiousAnswer(unsigned style)
{
    switch (style & 0xF) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

QString qt(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

int showMessageBox(const std::wstring& text, const std::wstring& caption, unsigned style)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(qt(caption));
    box.setText(qt(text));
    switch (style & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int id;
    };
    std::vector<Choice> choices;
    switch (style & 0xF) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
    }
    for (const Choice& choice : choices)
        box.addButton(choice.button);
    box.setDefaultButton(choices.front().button);
    execModal(box);
    const auto pressed = box.standardButton(box.clickedButton());
    for (const Choice& choice : choices) {
        if (choice.button == pressed)
            return choice.id;
    }
    // Closed without a button: Esc means Cancel, or No without a Cancel button.
    return cautiousAnswer(style);
}

std::vector<std::wstring> showFileDialog(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), qt(request.title));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (request.save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else
        dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(qt(request.defaultExtension));
    QStringList filters;
    for (const std::wstring& filter : qtNameFilters(request.filter))
        filters << qt(filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.initialName.empty())
        dialog.selectFile(qt(request.initialName));
    if (execModal(dialog) != QDialog::Accepted)
        return {};
    std::vector<std::wstring> chosen;
    for (const QString& file : dialog.selectedFiles())
        chosen.push_back(file.toStdWString());
    return chosen;
}

std::wstring trimmed(const std::wstring& text)
{
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::vector<std::wstring> split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t stop = text.find(separator, start);
        parts.push_back(text.substr(start, stop == std::wstring::npos ? std::wstring::npos : stop - start));
        if (stop == std::wstring::npos)
            return parts;
        start = stop + 1;
    }
}

// The request as the user sees it: title, name and filter descriptions in
// the current language.
FileDialogRequest translated(const FileDialogRequest& request)
{
    if (currentLanguage() == Language::Chinese)
        return request;
    FileDialogRequest shown = request;
    shown.title = tr(request.title);
    shown.initialName = tr(request.initialName);
    const std::vector<std::wstring> fields = split(request.filter, L'|');
    shown.filter.clear();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            shown.filter += L'|';
        const std::wstring english = i % 2 == 0 ? tr(trimmed(fields[i])) : fields[i];
        shown.filter += english == trimmed(fields[i]) ? fields[i] : english;
    }
    return shown;
}

} // namespace

void setMessageBoxResponder(MessageBoxResponder responder)
{
    install(&Responders::messageBox, std::move(responder));
}

int messageBox(const std::wstring& source, const std::wstring& captionSource, unsigned style)
{
    const std::wstring text = tr(source);
    const std::wstring caption = tr(captionSource);
    if (const auto responder = installed(&Responders::messageBox))
        return responder(text, caption, style);
    if (!canShowWidgets())
        return cautiousAnswer(style);
    int result = IDCANCEL;
    runOnUiThread([&] { result = showMessageBox(text, caption, style); });
    return result;
}

// Pairs of description and patterns; a description that already ends with
// its own "(patterns)" is kept as it is, since Qt reads the patterns from
// the last parenthesis.
std::vector<std::wstring> qtNameFilters(const std::wstring& windowsFilter)
{
    const std::vector<std::wstring> fields = split(windowsFilter, L'|');
    std::vector<std::wstring> filters;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        const std::wstring description = trimmed(fields[i]);
        std::wstring patterns;
        for (const std::wstring& part : split(fields[i + 1], L';')) {
            const std::wstring pattern = trimmed(part);
            if (pattern.empty())
                continue;
            if (!patterns.empty())
                patterns += L' ';
            patterns += pattern;
        }
        if (patterns.empty())
            break; // the closing "||" or a broken pair ends the list
        const std::wstring own = L"(" + patterns + L")";
        if (description.empty())
            filters.push_back(own);
        else if (description.size() >= own.size() && description.compare(description.size() - own.size(), own.size(), own) == 0)
            filters.push_back(description);
        else
            filters.push_back(description + L" " + own);
    }
    return filters;
}

void setFileDialogResponder(FileDialogResponder responder)
{
    install(&Responders::fileDialog, std::move(responder));
}

std::vector<std::wstring> fileDialog(const FileDialogRequest& source)
{
    const FileDialogRequest request = translated(source);
    std::vector<std::wstring> chosen;
    if (const auto responder = installed(&Responders::fileDialog))
        chosen = responder(request);
    else if (canShowWidgets())
        runOnUiThread([&] { chosen = showFileDialog(request); });
    if (!request.multiSelect && chosen.size() > 1)
        chosen.resize(1);
    if (!request.noChangeDir && !chosen.empty())
        QDir::setCurrent(QFileInfo(qt(chosen.front())).absolutePath());
    return chosen;
}

void setFolderDialogResponder(FolderDialogResponder responder)
{
    install(&Responders::folderDialog, std::move(responder));
}

std::wstring folderDialog(const std::wstring& source)
{
    const std::wstring title = tr(source);
    if (const auto responder = installed(&Responders::folderDialog))
        return responder(title);
    if (!canShowWidgets())
        return {};
    std::wstring chosen;
    runOnUiThread([&] {
        QFileDialog dialog(QApplication::activeWindow(), qt(title));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        if (execModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().front().toStdWString();
    });
    return chosen;
}

void setColorDialogResponder(ColorDialogResponder responder)
{
    install(&Responders::colorDialog, std::move(responder));
}

bool colorDialog(ColorRef& color)
{
    if (const auto responder = installed(&Responders::colorDialog))
        return responder(color);
    if (!canShowWidgets())
        return false;
    bool confirmed = false;
    runOnUiThread([&] {
        QColorDialog dialog(QColor(redOf(color), greenOf(color), blueOf(color)), QApplication::activeWindow());
        if (execModal(dialog) != QDialog::Accepted)
            return;
        const QColor chosen = dialog.selectedColor();
        color = rgb(chosen.red(), chosen.green(), chosen.blue());
        confirmed = true;
    });
    return confirmed;
}

void setDialogHook(DialogHook hook)
{
    install(&Responders::dialogHook, std::move(hook));
}

int execModal(QDialog& dialog)
{
    int result = QDialog::Rejected;
    runOnUiThread([&] {
        if (const auto hook = installed(&Responders::dialogHook)) {
            // Queued, so it runs inside exec() once the dialog is shown.
            QPointer<QDialog> guard(&dialog);
            QTimer::singleShot(0, &dialog, [guard, hook] {
                if (guard)
                    hook(*guard);
            });
        }
        result = dialog.exec();
    });
    return result;
}

} // namespace plat
