#pragma once
// The settings file SysInfo.Ini and the language list.

#include <QString>
#include <QStringList>

class TALL;

namespace Settings
{
constexpr const char *FileName = "SysInfo.Ini";
constexpr const char *Section = "SysInfo";
constexpr const char *DefaultHelpPrefix = "TL";
constexpr const char *DefaultLanguageList = "Chinese|English";
// "中文|英文", the language names written in Chinese.
QString DefaultDisplayList();

// Where the settings are read from: the user's copy when the program folder
// is not writable and the user has one, else the program folder's file.
QString ReadPath(const QString &appFolder);
// Where the settings are written: the program folder when it is writable,
// else the user's configuration folder.
QString WritePath(const QString &appFolder);
} // namespace Settings

// Splits a "|" list: entries untrimmed, empty entries kept, a final "|" adds none.
QStringList SplitList(const QString &value);

void LoadSettings(TALL &all);
// Writes Com, DefaultLanguage and PicID. Returns false with a reason on failure.
bool SaveSettings(const TALL &all, QString *error = nullptr);
void ReadLanguageList(const TALL &all, QStringList &displayList, QStringList &fileList);
