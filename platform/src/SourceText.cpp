#include "pixorama/platform/SourceText.h"

#include "pixorama/platform/Translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVariant>
#include <QWidget>

namespace plat {

namespace {

constexpr const char* sourceProperty = "pixoramaSourceText";
constexpr const char* shownProperty = "pixoramaShownText";
constexpr const char* toolTipProperty = "pixoramaSourceToolTip";
constexpr int sourceRole = Qt::UserRole + 0x5A7;

void applyText(QObject* object, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(object))
        action->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(object))
        group->setTitle(text);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setWindowTitle(text);
}

QString textOf(const QObject* object)
{
    if (auto* action = qobject_cast<const QAction*>(object))
        return action->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(object))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(object))
        return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(object))
        return group->title();
    if (auto* widget = qobject_cast<const QWidget*>(object))
        return widget->windowTitle();
    return {};
}

void show(QObject* object, const QString& source)
{
    const QString text = tr(source);
    object->setProperty(shownProperty, text);
    applyText(object, text);
}

// A text the program has since replaced (a status pane showing the cursor
// position) is the program's: it stays, and the source is forgotten.
void retranslateObject(QObject* object)
{
    const QVariant source = object->property(sourceProperty);
    if (!source.isValid())
        return;
    if (textOf(object) == object->property(shownProperty).toString()) {
        show(object, source.toString());
    } else {
        object->setProperty(sourceProperty, QVariant());
        object->setProperty(shownProperty, QVariant());
    }
}

void retranslateToolTip(QWidget* widget)
{
    const QVariant source = widget->property(toolTipProperty);
    if (source.isValid())
        widget->setToolTip(tr(source.toString()));
}

void retranslateItems(QTreeWidget* tree)
{
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it)
        for (int column = 0; column < (*it)->columnCount(); ++column) {
            const QVariant source = (*it)->data(column, sourceRole);
            if (source.isValid())
                (*it)->setText(column, tr(source.toString()));
        }
}

void retranslateItems(QComboBox* combo)
{
    for (int i = 0; i < combo->count(); ++i) {
        const QVariant source = combo->itemData(i, sourceRole);
        if (source.isValid())
            combo->setItemText(i, tr(source.toString()));
    }
}

} // namespace

void setSourceText(QObject* object, const QString& source)
{
    if (object == nullptr)
        return;
    object->setProperty(sourceProperty, source);
    show(object, source);
}

void setSourceText(QTreeWidgetItem* item, int column, const QString& source)
{
    if (item == nullptr)
        return;
    item->setData(column, sourceRole, source);
    item->setText(column, tr(source));
}

void setSourceToolTip(QWidget* widget, const QString& source)
{
    if (widget == nullptr)
        return;
    widget->setProperty(toolTipProperty, source);
    widget->setToolTip(tr(source));
}

void setSourceItems(QComboBox* combo, const QStringList& sources)
{
    if (combo == nullptr)
        return;
    for (const QString& source : sources) {
        combo->addItem(tr(source));
        combo->setItemData(combo->count() - 1, source, sourceRole);
    }
}

void retranslateWidgets()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    for (QWidget* widget : QApplication::allWidgets()) {
        retranslateObject(widget);
        retranslateToolTip(widget);
        for (QAction* action : widget->actions())
            retranslateObject(action);
        if (auto* tree = qobject_cast<QTreeWidget*>(widget))
            retranslateItems(tree);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            retranslateItems(combo);
        widget->update();
    }
}

bool switchLanguage(Language language)
{
    if (!setLanguage(language))
        return false;
    retranslateWidgets();
    return true;
}

} // namespace plat
