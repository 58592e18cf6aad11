#pragma once
// Message texts of the current language, and the message box seam.

#include <QString>

// The program's message and print texts, English by default, replaced from
// section "Language" of the current language file.
class TLanguage
{
public:
    QString Confirmation, ExitProgram, SaveProgram, Channel, Info, OutRange, Caution, Close, Open, ComError, ModError,
        ClearData, Modforce, ErrRange, ReadOk, WriteOk, LPortError;

    TLanguage() { SetDefaults(); }
    void SetDefaults();
    // Sets every text from <appFolder><languageName>.Ini, English where missing.
    void LoadTexts(const QString &appFolder, const QString &languageName);
};

// Kinds and results of ShowPrompt.
namespace Prompt
{
constexpr int Info = 1; // OK button, information icon; result 1
constexpr int YesNo = 2; // Yes and No, question icon; result Yes or No
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace Prompt

// Shows a message and returns the button pressed. The GUI shows a message
// box; the command-line tool and the tests answer in their own way.
class TPrompter
{
public:
    virtual ~TPrompter() = default;
    virtual int ShowPrompt(const QString &caption, const QString &text, int kind) = 0;
};
