#include "pixorama/parlet/DialogDriver.h"

#include "pixorama/parlet/CDragAndDropListBox.h"
#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/parlet/QEVCtrlContainer.h"
#include "pixorama/platform/Modal.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

bool isValueControl(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w);
}

// The visible candidate first, else the first one.
template <class T, class Match>
T* pick(QWidget& dialog, Match match)
{
    T* first = nullptr;
    // dynamic_cast, so a class without its own meta-object is never mistaken for another.
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        T* candidate = dynamic_cast<T*>(child);
        if (candidate == nullptr || !match(candidate))
            continue;
        if (candidate->isVisibleTo(&dialog))
            return candidate;
        if (first == nullptr)
            first = candidate;
    }
    return first;
}

bool hasId(const QObject* object, int id)
{
    const QVariant value = object->property("ctrlId");
    return value.isValid() && value.toInt() == id;
}

} // namespace

DialogDriver::DialogDriver(QWidget& dialog) : dialog(dialog) {}

CString DialogDriver::Title() const
{
    return dialog.windowTitle().toStdWString();
}

QWidget* DialogDriver::Find(const CString& name) const
{
    const QString wanted = QString::fromStdWString(name);
    return pick<QWidget>(dialog, [&](QWidget* w) { return w->objectName() == wanted && isValueControl(w); });
}

CString DialogDriver::Value(const CString& name) const
{
    QWidget* w = Find(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text().toStdWString();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return std::to_wstring(combo->currentIndex());
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return check->isChecked() ? L"true" : L"false";
    return {};
}

bool DialogDriver::SetValue(const CString& name, const CString& value)
{
    QWidget* w = Find(name);
    if (qobject_cast<QLineEdit*>(w))
        return SetText(name, value);
    if (qobject_cast<QComboBox*>(w)) {
        try {
            return SetComboIndex(name, std::stoi(value));
        } catch (...) {
            return false;
        }
    }
    if (qobject_cast<QCheckBox*>(w) && (value == L"true" || value == L"false"))
        return SetChecked(name, value == L"true");
    return false;
}

CString DialogDriver::Text(const CString& name) const
{
    QWidget* w = Find(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text().toStdWString();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText().toStdWString();
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return check->text().toStdWString();
    return {};
}

bool DialogDriver::SetText(const CString& name, const CString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(Find(name));
    if (edit == nullptr)
        return false;
    edit->setText(QString::fromStdWString(text));
    return true;
}

int DialogDriver::ComboIndex(const CString& name) const
{
    auto* combo = qobject_cast<QComboBox*>(Find(name));
    return combo == nullptr ? -1 : combo->currentIndex();
}

bool DialogDriver::SetComboIndex(const CString& name, int index)
{
    auto* combo = qobject_cast<QComboBox*>(Find(name));
    if (combo == nullptr || index < 0 || index >= combo->count())
        return false;
    combo->setCurrentIndex(index);
    return true;
}

std::vector<CString> DialogDriver::ComboOptions(const CString& name) const
{
    std::vector<CString> options;
    if (auto* combo = qobject_cast<QComboBox*>(Find(name))) {
        for (int i = 0; i < combo->count(); ++i)
            options.push_back(combo->itemText(i).toStdWString());
    }
    return options;
}

std::optional<bool> DialogDriver::Checked(const CString& name) const
{
    auto* check = qobject_cast<QCheckBox*>(Find(name));
    if (check == nullptr)
        return std::nullopt;
    return check->isChecked();
}

bool DialogDriver::SetChecked(const CString& name, bool checked)
{
    auto* check = qobject_cast<QCheckBox*>(Find(name));
    if (check == nullptr)
        return false;
    check->setChecked(checked);
    return true;
}

QAbstractButton* DialogDriver::Button(int id) const
{
    return pick<QAbstractButton>(dialog, [&](QAbstractButton* b) { return hasId(b, id); });
}

bool DialogDriver::Press(int id)
{
    QAbstractButton* button = Button(id);
    if (button == nullptr || !button->isEnabled())
        return false;
    button->click();
    return true;
}

bool DialogDriver::PressOk()
{
    return Press(plat::IDOK);
}

bool DialogDriver::PressCancel()
{
    return Press(plat::IDCANCEL);
}

bool DialogDriver::PressPre()
{
    return Press(IDC_PRE);
}

bool DialogDriver::PressNext()
{
    return Press(IDC_NEXT);
}

QEVCtrlContainer* DialogDriver::Container() const
{
    return pick<QEVCtrlContainer>(dialog, [](QEVCtrlContainer*) { return true; });
}

CDragAndDropListBox* DialogDriver::List(int id) const
{
    return pick<CDragAndDropListBox>(dialog, [&](CDragAndDropListBox* list) { return hasId(list, id); });
}

std::vector<CString> DialogDriver::Labels() const
{
    std::vector<CString> labels;
    QEVCtrlContainer* container = Container();
    if (container == nullptr)
        return labels;
    for (const CtrlItem& item : container->GetItems()) {
        if (auto* label = qobject_cast<QLabel*>(container->GetControl(item.index)))
            labels.push_back(label->text().toStdWString());
    }
    return labels;
}

QImage DialogDriver::Grab() const
{
    return dialog.grab().toImage();
}
