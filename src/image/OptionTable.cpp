#include "image/OptionTable.h"

#include <cstring>

namespace
{

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char('|'));
}

} // namespace

const std::vector<OptionControl> &OptionControls()
{
    using K = OptionControl;
    static const std::vector<OptionControl> table = {
        // Optional Function window, in its load order; unbound hidden controls last.
        { "fOptFun", "cbBeepTone", "", "Clew Voice", K::CheckBit0, 320, {}, 0, false, 0 },
        { "fOptFun", "cbSQvelch", "L1", "Squelch level", K::Combo, 321, words("0|1|2|3|4|5|6|7|8|9"), 0, false, -2 },
        { "fOptFun", "cbTxTimeout", "L2", "TX Time Out", K::Combo, 323,
            words("Off|30|60|90|120|150|180|210|240|270|300"), 0, false, -3 },
        { "fOptFun", "cxWaveof", "L3", "Voice", K::Combo, 304, words("Off|On"), 1, false, 0 },
        { "fOptFun", "cbVoice", "L4", "Voice Annunciation", K::Combo, 305, words("English|Chinese"), 1, false, 0 },
        { "fOptFun", "cxScan", "L5", "Scan", K::Combo, 306, words("Off|On"), 1, false, 0 },
        { "fOptFun", "cbVolLow", "", "Low Vol Inhibit Tx", K::Check, 310, {}, 0, false, 0 },
        { "fOptFun", "cbVolhigh", "", "High Vol Inhibit Tx", K::Check, 311, {}, 0, false, 0 },
        { "fOptFun", "cxAlt", "L7", "Incept Alarm", K::Combo, 312, words("Off|On"), 0, false, 0 },
        { "fOptFun", "cxFM", "L6", "FM Function", K::Combo, 313, words("Interdict|Turn on"), 1, false, 0 },
        { "fOptFun", "cxRevTx", "L8", "Epilogue", K::Combo, 317, words("OFF|Type-1|Type-2"), 1, false, 0 },
        { "fOptFun", "cxRate", "L11", "Battery Save", K::Combo, 318, words("OFF|1:1|1:2|1:3|1:4"), 4, false, 0 },
        { "fOptFun", "cxWhisper", "L12", "Whisper", K::Combo, 319, words("On|Off"), 0, true, 0 },
        { "fOptFun", "cxRxShape", "L9", "RX Shape", K::Combo, -1, words("OFF|Type-1|Type-2"), 0, true, 0 },
        { "fOptFun", "cxTxShape", "L10", "TX Shape", K::Combo, -1, words("OFF|Type-1|Type-2"), 0, true, 0 },
        { "fOptFun", "cxComp", "", "COMP", K::Check, -1, {}, 0, true, 0 },
        { "fOptFun", "cxScrm", "", "SCRM", K::Check, -1, {}, 0, true, 0 },
        // Key Function window.
        { "fKeyFun", "cbKey1", "L1", "Side Key", K::Combo, 322, words("Off|Monmome|H/L Power|Alarm"), 0, false, 0 },
        { "fKeyFun", "cbKey2", "L2", "Key - 2", K::Combo, -1, words("Off|Monmome|H/L Power|Alarm"), 0, true, 0 },
        // Vox Function window.
        { "fVoxFun", "chVoxFun", "", "VOX Function", K::Check, 307, {}, 0, false, 0 },
        { "fVoxFun", "cbVoxLevel", "L1", "VOX Gain Level", K::Combo, 308, words("1|2|3|4|5|6|7|8|9"), 4, false, 0 },
        { "fVoxFun", "chVoxInhibit", "", "VOX Inhibit OnReceive", K::Check, 309, {}, 0, false, 0 },
    };
    return table;
}

const OptionControl *FindOptionControl(const char *control)
{
    for (const auto &c : OptionControls())
        if (std::strcmp(c.control, control) == 0)
            return &c;
    return nullptr;
}

int OptionShownIndex(const OptionControl &c, uint8_t byte, int currentIndex)
{
    return byte < c.entries.size() ? int(byte) : currentIndex;
}

bool OptionShownChecked(const OptionControl &c, uint8_t byte)
{
    return c.kind == OptionControl::CheckBit0 ? (byte & 1) != 0 : byte == 1;
}

QString OptionValueText(const OptionControl &c, uint8_t byte)
{
    if (c.kind != OptionControl::Combo)
        return OptionShownChecked(c, byte) ? QStringLiteral("checked") : QStringLiteral("unchecked");
    return c.entries.value(OptionShownIndex(c, byte, c.initialIndex));
}
