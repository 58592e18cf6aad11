#pragma once
// The print command of the main window.

class EditorHost;
class QWidget;

namespace PrintMode
{
constexpr int Print = 0;
constexpr int Preview = 1;
} // namespace PrintMode

// Prints (mode 0) or previews (mode 1) the configuration from the open editor
// windows and the image.
void PrintConfiguration(EditorHost &host, QWidget *mainWindow, int mode);

struct PrintData;
class QDateTime;
class QString;

// Collects the printout's rows from the windows, using open ones and making
// (and afterwards removing) the others.
PrintData CollectPrintData(EditorHost &host);
// Writes the printout as PDF; false with the reason when the file cannot be written.
bool PrintToPdf(EditorHost &host, const QString &path, const QDateTime &now, QString *error = nullptr);
class QPrinter;
// Prints collected rows on a printer the user has chosen; a printer that
// cannot be painted on is reported through the host's prompter.
bool PrintOnPrinter(EditorHost &host, const PrintData &data, QPrinter &printer, const QDateTime &now);
// Writes collected rows as PDF; false with the reason when the file cannot be written.
bool WritePdf(const PrintData &data, const QString &path, const QDateTime &now, QString *error = nullptr);
