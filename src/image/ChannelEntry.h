#pragma once
// The entry rules of the channel grid, free of widgets, so the grid and the
// command-line tool apply exactly the same rules to a typed text.

#include <QString>

class TALL;
class TLanguage;
class TPrompter;

// Grid columns 1..11 and the field each one writes.
namespace GridColumn
{
constexpr int Number = 1, Rx = 2, Tx = 3, DecTone = 4, EncTone = 5, Power = 6, Wn = 7, ScanAdd = 8, Compander = 9,
              Scrambler = 10, BusyLock = 11;
constexpr int Count = 11;
// The field kind of EncodeChannelField each column writes (-1 for column 1).
int fieldKind(int column);
} // namespace GridColumn

// A typed frequency as the grid accepts it: no number gives the band's upper
// edge with OutRange; then the range rule, the raster snap, five decimals.
QString FrequencyEntryText(const TALL &all, const TLanguage &texts, TPrompter &prompt, const QString &text);

// The None text of the tone columns, and the entry texts of the switch columns.
struct ChannelTexts {
    QString none = QStringLiteral("None");
    QString low = QStringLiteral("Low"), high = QStringLiteral("High");
    QString wide = QStringLiteral("Wide"), narrow = QStringLiteral("Narrow");
    QString yes = QStringLiteral("Yes"), no = QStringLiteral("No");
};

// One channel as the grid shows it: 11 display texts, empty for an empty channel
// except the number.
QStringList ChannelRowTexts(const TALL &all, int channel, const ChannelTexts &t = ChannelTexts());

// Applies a typed text to one cell of the grid's channel row, with the grid's
// rules: frequency checks, new-channel defaults, deleting, tone normalising.
// Switch columns take an entry text ("High", "Narrow", "Yes") or its index.
// Returns false with a reason when the grid would not accept the entry at all
// (a read-only cell, a switch of an empty channel, an unknown entry).
bool ApplyChannelEntry(TALL &all, const TLanguage &texts, TPrompter &prompt, int channel, int column,
    const QString &text, QString *reason = nullptr, const ChannelTexts &t = ChannelTexts());
