#pragma once
// The help command: the help file of the current language.

#include <QString>
#include <functional>

class QUrl;
class TALL;

// The compiled help file of the language: <AppFolder><HelpPrefix>_<LanguageName>.chm.
QString CompiledHelpPath(const TALL &all);
// The HTML help of the same base name, for desktops without a compiled help viewer.
QString HtmlHelpPath(const TALL &all);

// True when the desktop has an application registered for compiled help.
bool HasCompiledHelpViewer();

// Opens the compiled help when it exists and a viewer is registered, else the
// HTML help. Returns the file handed to openUrl, or an empty text when neither
// file exists or the desktop refused both.
QString OpenHelp(const TALL &all, bool compiledViewer, const std::function<bool(const QUrl &)> &openUrl);
