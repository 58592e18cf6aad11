#include "image/ChannelEntry.h"
#include "i18n/Language.h"
#include "image/AllClass.h"
#include "image/ChannelCodec.h"

int GridColumn::fieldKind(int column)
{
    static const int kinds[] = { -1, -1, Field::RxFreq, Field::TxFreq, Field::RxTone, Field::TxTone, Field::Power,
        Field::Wide, Field::ScanAdd, Field::Compander, Field::Scrambler, Field::BusyLock };
    return column >= 1 && column <= Count ? kinds[column] : -1;
}

QString FrequencyEntryText(const TALL &all, const TLanguage &texts, TPrompter &prompt, const QString &text)
{
    double v = 0;
    if (ParseDecimal(text, &v)) {
        v = CheckFrequency(all, texts, prompt, v);
    } else {
        // The band's upper edge lies inside the model's range, so no further warning can follow.
        v = all.BandMaxFreq;
        prompt.ShowPrompt(texts.Caution, texts.OutRange, Prompt::Info);
    }
    return FormatFrequency(SnapToStep(v));
}

namespace
{

// The entry texts of a switch column, index 0 first.
QStringList switchEntries(int column, const ChannelTexts &t)
{
    switch (column) {
    case GridColumn::Power: return { t.low, t.high };
    case GridColumn::Wn: return { t.wide, t.narrow };
    default: return { t.yes, t.no };
    }
}

// Flag bit of the record each switch column shows.
int switchBit(int column)
{
    return Field::flagBit(GridColumn::fieldKind(column));
}

} // namespace

QStringList ChannelRowTexts(const TALL &all, int channel, const ChannelTexts &t)
{
    QStringList row { QString::number(channel) };
    const DecodedChannel d = DecodeChannel(all.channelRecord(channel));
    if (!d.valid) {
        for (int c = GridColumn::Rx; c <= GridColumn::Count; ++c)
            row.append(QString());
        return row;
    }
    row.append(FormatFrequency(d.rx));
    row.append(d.tx < 0 ? QString() : FormatFrequency(d.tx));
    row.append(d.rxTone.isEmpty() ? t.none : d.rxTone);
    row.append(d.txTone.isEmpty() ? t.none : d.txTone);
    for (int c = GridColumn::Power; c <= GridColumn::Count; ++c)
        row.append(switchEntries(c, t).value(d.flags[size_t(switchBit(c))]));
    return row;
}

bool ApplyChannelEntry(TALL &all, const TLanguage &texts, TPrompter &prompt, int channel, int column,
    const QString &text, QString *reason, const ChannelTexts &t)
{
    auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (channel < 1 || channel > Image::ChannelCount)
        return refuse(QStringLiteral("channel must be 1 to %1").arg(Image::ChannelCount));
    if (column < GridColumn::Rx || column > GridColumn::Count)
        return refuse(QStringLiteral("that column cannot be edited"));

    const DecodedChannel d = DecodeChannel(all.channelRecord(channel));
    const bool trimmedEmpty = text.trimmed().isEmpty();

    if (column == GridColumn::Rx) {
        if (trimmedEmpty) {
            EncodeChannelField(all, channel, Field::RxFreq, QString());
        } else {
            const QString rx = FrequencyEntryText(all, texts, prompt, text);
            if (!d.valid) {
                // A new channel: TX follows RX, no tones, high power, wide, all switches "No".
                EncodeChannelField(all, channel, Field::RxFreq, rx);
                EncodeChannelField(all, channel, Field::TxFreq, rx);
                EncodeChannelField(all, channel, Field::RxTone, QString());
                EncodeChannelField(all, channel, Field::TxTone, QString());
                EncodeChannelField(all, channel, Field::Power, QStringLiteral("1"));
                EncodeChannelField(all, channel, Field::Wide, QStringLiteral("0"));
                for (int kind : { Field::ScanAdd, Field::Compander, Field::Scrambler, Field::BusyLock })
                    EncodeChannelField(all, channel, kind, QStringLiteral("1"));
            } else {
                EncodeChannelField(all, channel, Field::RxFreq, rx);
            }
        }
        all.Modified = true;
        return true;
    }

    if (!d.valid)
        return refuse(QStringLiteral("channel %1 is empty: give it an RX frequency first").arg(channel));

    if (column == GridColumn::Tx) {
        EncodeChannelField(
            all, channel, Field::TxFreq, trimmedEmpty ? QString() : FrequencyEntryText(all, texts, prompt, text));
    } else if (column == GridColumn::DecTone || column == GridColumn::EncTone) {
        if (column == GridColumn::EncTone && d.tx < 0)
            return refuse(QStringLiteral("channel %1 has no TX frequency, so it has no encode tone").arg(channel));
        const QString tone = (text.isEmpty() || text == t.none) ? QString() : NormaliseTone(text);
        EncodeChannelField(all, channel, GridColumn::fieldKind(column), tone);
    } else {
        const QStringList entries = switchEntries(column, t);
        int index = -1;
        for (int i = 0; i < entries.size(); ++i)
            if (text.compare(entries[i], Qt::CaseInsensitive) == 0 || text == QString::number(i))
                index = i;
        if (index < 0)
            return refuse(QStringLiteral("'%1' is not one of: %2").arg(text, entries.join(QStringLiteral(", "))));
        EncodeChannelField(all, channel, GridColumn::fieldKind(column), QString::number(index));
    }
    all.Modified = true;
    return true;
}
