#include "cli/PrintVerb.h"
#include "app/DataModule.h"
#include "app/EditorHost.h"
#include "app/Print.h"
#include "cli/CliCommon.h"
#include "image/DataFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace
{

// The windows the printout is made from, without a main window around them.
class HeadlessHost : public EditorHost
{
public:
    HeadlessHost(DataModule &dm, TPrompter &prompter)
        : m_dm(dm)
        , m_prompter(prompter)
    {
    }
    DataModule &Data() override { return m_dm; }
    TPrompter &Prompter() override { return m_prompter; }
    void NotifyImageChanged(int) override { }
    void SelectChannelNode(int) override { }
    void EditorDestroyed(QWidget *) override { }
    QWidget *FindEditor(int) override { return nullptr; }

private:
    DataModule &m_dm;
    TPrompter &m_prompter;
};

} // namespace

int RunPrintVerb(const QStringList &arguments, DataModule &dm)
{
    QStringList args = arguments;
    const int at = args.indexOf(QStringLiteral("--language"));
    if (at >= 0) {
        if (at + 1 >= args.size()) {
            printError(QStringLiteral("tl5960s-cli: --language needs a language name such as Chinese"));
            return Exit::Usage;
        }
        dm.All.LanguageName = args.takeAt(at + 1);
        // Without its file the printout would silently come out in English.
        const QString file = dm.All.AppFolder + dm.All.LanguageName + QStringLiteral(".Ini");
        if (!QFileInfo(file).isFile()) {
            printError(QStringLiteral("tl5960s-cli: no language file %1").arg(QDir::toNativeSeparators(file)));
            return Exit::Usage;
        }
        dm.All.LanguageIndex = 1; // a named language translates every window
        args.removeAt(at);
        dm.Texts.LoadTexts(dm.All.AppFolder, dm.All.LanguageName);
    }
    if (args.size() != 2) {
        printError(QStringLiteral("tl5960s-cli: print takes FILE.dat OUT.pdf (see tl5960s-cli --help)"));
        return Exit::Usage;
    }
    const FileResult r = ReadDataFile(dm.All, args[0]);
    if (!r.ok()) {
        printError(QStringLiteral("tl5960s-cli: cannot use %1").arg(DescribeFileResult(r, args[0], dm.Texts)));
        return Exit::File;
    }
    CliPrompter prompt;
    HeadlessHost host(dm, prompt);
    QString error;
    if (!PrintToPdf(host, args[1], QDateTime::currentDateTime(), &error)) {
        printError(QStringLiteral("tl5960s-cli: %1").arg(error));
        return Exit::File;
    }
    return Exit::Ok;
}
