#include "i18n/Settings.h"
#include "i18n/IniFile.h"
#include "image/AllClass.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{

QString userSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/')
        + QLatin1String(Settings::FileName);
}

bool programFolderWritable(const QString &appFolder)
{
    const QFileInfo folder(appFolder);
    const QFileInfo file(appFolder + QLatin1String(Settings::FileName));
    return folder.isWritable() && (!file.exists() || file.isWritable());
}

int toIntOrZero(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

} // namespace

QString Settings::DefaultDisplayList()
{
    return QStringLiteral("中文|英文");
}

QString Settings::ReadPath(const QString &appFolder)
{
    if (!programFolderWritable(appFolder) && QFileInfo::exists(userSettingsPath()))
        return userSettingsPath();
    return appFolder + QLatin1String(FileName);
}

QString Settings::WritePath(const QString &appFolder)
{
    return programFolderWritable(appFolder) ? appFolder + QLatin1String(FileName) : userSettingsPath();
}

QStringList SplitList(const QString &value)
{
    QStringList out;
    QString rest = value;
    while (!rest.isEmpty()) {
        const int bar = rest.indexOf(QLatin1Char('|'));
        if (bar < 0) {
            out.append(rest);
            break;
        }
        out.append(rest.left(bar));
        rest = rest.mid(bar + 1);
    }
    return out;
}

void LoadSettings(TALL &all)
{
    const IniFile ini(Settings::ReadPath(all.AppFolder));
    const QString section = QLatin1String(Settings::Section);
    all.PortName = ini.readString(section, QStringLiteral("Com"), QStringLiteral("Com1"));
    const QString defaultLanguage = ini.readString(section, QStringLiteral("DefaultLanguage"), QStringLiteral("0"));
    all.HelpPrefix = ini.readString(section, QStringLiteral("Help"), QLatin1String(Settings::DefaultHelpPrefix));
    all.LanguageIndex = toIntOrZero(defaultLanguage);
    all.PictureId = toIntOrZero(ini.readString(section, QStringLiteral("PicID"), QStringLiteral("0"))) + 1;
    const QStringList languages
        = SplitList(ini.readString(section, QStringLiteral("Language"), QLatin1String(Settings::DefaultLanguageList)));
    all.LanguageName
        = (all.LanguageIndex >= 0 && all.LanguageIndex < languages.size()) ? languages[all.LanguageIndex] : QString();
}

bool SaveSettings(const TALL &all, QString *error)
{
    const QString target = Settings::WritePath(all.AppFolder);
    // A first save to the user's folder starts from the program folder's file,
    // so the language list and help prefix shipped with the program are kept.
    IniFile ini(QFileInfo::exists(target) ? target : Settings::ReadPath(all.AppFolder));
    const QString section = QLatin1String(Settings::Section);
    ini.writeString(section, QStringLiteral("Com"), all.PortName);
    ini.writeString(section, QStringLiteral("DefaultLanguage"), QString::number(all.LanguageIndex));
    ini.writeString(section, QStringLiteral("PicID"), QString::number(all.PictureId - 1));
    QDir().mkpath(QFileInfo(target).absolutePath());
    return ini.save(target, error);
}

void ReadLanguageList(const TALL &all, QStringList &displayList, QStringList &fileList)
{
    const IniFile ini(Settings::ReadPath(all.AppFolder));
    const QString section = QLatin1String(Settings::Section);
    fileList
        += SplitList(ini.readString(section, QStringLiteral("Language"), QLatin1String(Settings::DefaultLanguageList)));
    displayList += SplitList(ini.readString(section, all.LanguageName, Settings::DefaultDisplayList()));
}
