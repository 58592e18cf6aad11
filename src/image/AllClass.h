#pragma once
// The working state: the one radio image and what the program needs beside it.

#include <QString>
#include <array>
#include <cstdint>

class TMacType;
class TMacList;
class TFrqList;

// Byte layout of the 448-byte radio image.
namespace Image
{
constexpr int Size = 448;
constexpr int RadioOffset = 16; // radio address A sits at image offset A + 16
constexpr int RadioBytes = 368; // radio addresses 0..367
constexpr int Password = 0; // 8 bytes
constexpr int NewPassword = 8; // 8 bytes
constexpr int ChannelRecordSize = 16;
constexpr int ChannelCount = 16;
constexpr int OptionFirst = 304;
constexpr int OptionLast = 323;
constexpr int Identification = 336; // "P", model code, band code, 0, 0
constexpr int BandCode = 341;
constexpr int ScrambledPassword = 344; // radio addresses 328..335
constexpr int Serial = 352; // 16 bytes
constexpr int SerialSize = 16;
constexpr int WriteTime = 368; // 7 bytes
constexpr int WriteTimeSize = 7;
constexpr int ReadZeroFirst = 384; // 384..431 become zero after a read
constexpr int ReadZeroLast = 431;

// Channel n (1..16) lies at 16 * (n + 1).
constexpr int channelOffset(int n)
{
    return ChannelRecordSize * (n + 1);
}
} // namespace Image

using RadioImageBytes = std::array<uint8_t, Image::Size>;

// The radio's key for the scrambled new password. Not published by the
// maker; 0x5A is our best reading and must be confirmed against a real radio.
constexpr uint8_t PasswordScrambleKey = 0x5A;

// Scrambles a new password the way the radio expects it at addresses 328..335.
std::array<uint8_t, 8> ScramblePassword(const uint8_t *newPassword);

// Working state of the program: current model and band, port, language,
// unsaved-changes flag and the radio image. One exists for the whole run.
class TALL
{
public:
    TALL(const TMacList &models, const TFrqList &bands)
        : Models(&models)
        , Bands(&bands)
    {
    }

    QString LanguageName;
    int LanguageIndex = 0;
    int CurrentChannel = 1;
    QString PortName;
    QString AppFolder;
    QString ProductName;
    int ChannelCount = 0;
    QString ModelName;
    QString BandText;
    double ModelMaxFreq = 0;
    double ModelMinFreq = 0;
    double BandMaxFreq = 0;
    double BandMinFreq = 0;
    QString ModelCode;
    int PictureId = 0;
    bool Modified = false;
    QString HelpPrefix;
    bool TestOnlineVisible = false;
    bool SerialEditable = false;
    bool NewPasswordEnabled = false;
    const TMacType *CurrentModel = nullptr;
    RadioImageBytes RadioImage {};

    // The catalogue and band list this state binds against (not owned).
    const TMacList *Models;
    const TFrqList *Bands;

    uint8_t *channelRecord(int n) { return RadioImage.data() + Image::channelOffset(n); }
    const uint8_t *channelRecord(int n) const { return RadioImage.data() + Image::channelOffset(n); }
};
