#include "i18n/Language.h"
#include "i18n/IniFile.h"

namespace
{

struct TextKey {
    const char *key;
    QString TLanguage::*member;
    const char *english;
};

const TextKey Keys[] = {
    { "Confirmation", &TLanguage::Confirmation, "Confirmation" },
    { "ExitProgram", &TLanguage::ExitProgram, "Do you wish to exit program?" },
    { "SaveProgram", &TLanguage::SaveProgram, "Do you wish to save the changes?" },
    { "Channel", &TLanguage::Channel, "Channel" },
    { "Info", &TLanguage::Info, " Information" },
    { "OutRange", &TLanguage::OutRange, "Frequecy is Out of range." },
    { "Caution", &TLanguage::Caution, "Caution" },
    { "Close", &TLanguage::Close, "Closed" },
    { "Open", &TLanguage::Open, "Opened" },
    { "ComError", &TLanguage::ComError, "Please check all connections and communication port settings." },
    { "ModError", &TLanguage::ModError, "Model Type Wrong." },
    { "ClearData", &TLanguage::ClearData, "Do you wish to Clear Data?" },
    { "Modforce", &TLanguage::Modforce, "Do you wish to Force write data?" },
    { "ErrRange", &TLanguage::ErrRange, "The frequecy number come amiss!" },
    { "ReadOk", &TLanguage::ReadOk, "Reading Completed." },
    { "WriteOk", &TLanguage::WriteOk, "Writing Completed." },
    { "LPortError", &TLanguage::LPortError, "Cannot Open Commcmication Port." },
};

} // namespace

void TLanguage::SetDefaults()
{
    for (const auto &k : Keys)
        this->*k.member = QString::fromLatin1(k.english);
}

void TLanguage::LoadTexts(const QString &appFolder, const QString &languageName)
{
    const IniFile ini(appFolder + languageName + QStringLiteral(".Ini"));
    for (const auto &k : Keys)
        this->*k.member
            = ini.readString(QStringLiteral("Language"), QString::fromLatin1(k.key), QString::fromLatin1(k.english));
}
