#pragma once
// Channel records: decoding to numbers and texts, encoding field by field,
// the frequency rules every entry follows, and the small text routines.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class TALL;
class TLanguage;
class TPrompter;

// Field kinds of EncodeChannelField.
namespace Field
{
constexpr int RxFreq = 0, TxFreq = 1, RxTone = 2, TxTone = 3;
constexpr int BusyLock = 4, Bit1 = 5, Wide = 6, Power = 7, ScanAdd = 8, Compander = 9, Scrambler = 10, Whisper = 11;
constexpr int flagBit(int kind)
{
    return kind - 4;
}
} // namespace Field

struct DecodedChannel {
    bool valid = false;
    double rx = -1;
    double tx = -1;
    QString rxTone;
    QString txTone;
    std::array<int, 7> flags {}; // bits 0..6 of the flag byte
};

DecodedChannel DecodeChannel(const uint8_t *record);
void EncodeChannelField(TALL &all, int channel, int kind, const QString &text);
std::array<uint8_t, 4> EncodeFrequency(const QString &text);
std::array<uint8_t, 2> EncodeTone(const QString &text);
QString DecodeTone(uint8_t low, uint8_t high);
double SnapToStep(double f);
// Applies the range rule and shows its warning through the prompter. Returns
// the value to keep; *warned tells whether a warning was shown.
double CheckFrequency(const TALL &all, const TLanguage &texts, TPrompter &prompt, double value, bool *warned = nullptr);
QString NormaliseTone(const QString &text);

// "0.00000" with a point whatever the locale.
QString FormatFrequency(double mhz);
// Reads a decimal number with a point; false when the text is no number.
bool ParseDecimal(const QString &text, double *value);

bool ContainsAnyOf(const QString &set, const QString &text);
int HexToInt(const QString &text);
uint8_t HexPairToByte(const QString &text);
QString BytesToText(const uint8_t *bytes, int count);
QString IfThenText(bool flag, const QString &first, const QString &second);
QString FilterSerialChar(uint8_t byte);

// The tone lists of the tone boxes and the tone picker: 39 CTCSS tones and
// 83 DCS codes, in the order the radio's documentation lists them.
const QStringList &CtcssTones();
const QStringList &DcsCodes(); // "023" ... "754"
// The tone picker's table: 45 CTCSS items "index-tone-code" (hex index, "01-67.0-XZ")
// and 88 DCS items "number-code" ("1-D023"), each part ending with three empty items.
const QStringList &ToneTableItems();
// "None" (or the given first entry), the CTCSS tones, the DCS codes with N, then with I.
QStringList ToneBoxEntries(const QString &noneText = QStringLiteral("None"));
