#pragma once
// Applies a language file to a window by the object names of its widgets.

#include <QString>

class QWidget;

// Translation tags, held in each widget's "tag" property: entries of a combo
// box, list box or grid tagged -2 are never translated; -3 translates entry 0 only.
namespace Tag
{
constexpr const char *Property = "tag";
constexpr int NoEntries = -2;
constexpr int FirstEntryOnly = -3;
} // namespace Tag

// Section = the window's object name (its form name). Missing file or key
// leaves a text as it is; an empty value blanks it.
// Keys: "<form>.Caption" for the window title; for each named descendant
// (not descending into MDI sub-windows or dialogs):
//   QLabel, QPushButton, QCheckBox, QRadioButton: name.Caption -> text
//   QGroupBox: name.Caption -> title; tab page of a QTabWidget: name.Caption -> tab text
//   QAction (menu items; a sub-menu through its menuAction): name.Caption -> text,
//     name.Hint -> status tip and tool tip
//   QToolButton: name.Caption -> text, name.Hint -> tool tip
//   QTableView/QTableWidget, tag != -2: name.(c+1) -> horizontal header of
//     model column c; the key numbering counts the grid's hidden title column
//     as 0, which the Qt table does not have
//   QComboBox, only with includeCombos and tag != -2: name.i -> entry i
//     (tag -3: entry 0 only), the selected index kept
//   QListWidget, tag != -2: name.i -> entry i
void TranslateForm(QWidget *form, const QString &appFolder, const QString &languageName, bool includeCombos);
