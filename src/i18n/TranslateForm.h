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
void TranslateForm(QWidget *form, const QString &appFolder, const QString &languageName, bool includeCombos);
