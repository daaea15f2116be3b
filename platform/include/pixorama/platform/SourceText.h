#pragma once

#include "pixorama/platform/Translation.h"

#include <QString>

#include <QStringList>

class QComboBox;
class QObject;
class QTreeWidgetItem;
class QWidget;

// Widgets, actions and tree items that keep their Chinese source text show
// it in the current language and follow every change of language.
namespace plat {

// Sets the object's text (a QAction, a button, a label, a group box or a
// window title) to tr(source) and keeps the source for a later change.
void setSourceText(QObject* object, const QString& source);
void setSourceText(QTreeWidgetItem* item, int column, const QString& source);
// The same for a widget's tool tip.
void setSourceToolTip(QWidget* widget, const QString& source);
// Fills the combo with the entries in the current language; the selection
// is kept by index.
void setSourceItems(QComboBox* combo, const QStringList& sources);

// Shows every kept source text in the current language again and repaints
// every widget, so self-drawn texts are drawn anew.
void retranslateWidgets();

// Sets the language and renames every widget that has a source text at once.
bool switchLanguage(Language language);

} // namespace plat
