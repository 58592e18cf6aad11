#include "app/Help.h"
#include "i18n/Settings.h"
#include "image/AllClass.h"

#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace
{

QString helpBase(const TALL &all)
{
    const QString prefix = all.HelpPrefix.isEmpty() ? QString::fromLatin1(Settings::DefaultHelpPrefix) : all.HelpPrefix;
    return all.AppFolder + prefix + QLatin1Char('_') + all.LanguageName;
}

} // namespace

QString CompiledHelpPath(const TALL &all)
{
    return helpBase(all) + QStringLiteral(".chm");
}

QString HtmlHelpPath(const TALL &all)
{
    return helpBase(all) + QStringLiteral(".html");
}

bool HasCompiledHelpViewer()
{
#if defined(Q_OS_WIN)
    return true;
#elif defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's file associations; no answer means no viewer.
    for (const char *type : { "application/vnd.ms-htmlhelp", "application/x-chm" }) {
        QProcess p;
        p.start(QStringLiteral("xdg-mime"),
            { QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(type) });
        if (p.waitForFinished(3000) && p.exitCode() == 0 && !p.readAllStandardOutput().trimmed().isEmpty())
            return true;
    }
    return false;
#else
    return false;
#endif
}

QString OpenHelp(const TALL &all, bool compiledViewer, const std::function<bool(const QUrl &)> &openUrl)
{
    const QString chm = CompiledHelpPath(all);
    if (compiledViewer && QFileInfo::exists(chm) && openUrl(QUrl::fromLocalFile(chm)))
        return chm;
    const QString html = HtmlHelpPath(all);
    if (QFileInfo::exists(html) && openUrl(QUrl::fromLocalFile(html)))
        return html;
    return QString();
}
