#include "image/ChannelCodec.h"
#include "i18n/Language.h"
#include "image/AllClass.h"

#include <QLocale>
#include <cmath>

namespace
{

const QString HexLetters = QStringLiteral("ABCDEF");

QString hexPair(uint8_t b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

// Eight BCD digits, least significant pair first, as the decimal text they spell.
QString bcdText(const uint8_t *four)
{
    return hexPair(four[3]) + hexPair(four[2]) + hexPair(four[1]) + hexPair(four[0]);
}

} // namespace

bool ParseDecimal(const QString &text, double *value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (ok && value)
        *value = v;
    return ok;
}

QString FormatFrequency(double mhz)
{
    return QString::number(mhz, 'f', 5);
}

QString DecodeTone(uint8_t low, uint8_t high)
{
    if (low == 0xFF && high == 0xFF)
        return QString();
    const QString hex = hexPair(high) + hexPair(low);
    if (hex.startsWith(QLatin1Char('8')))
        return QLatin1Char('D') + hex.mid(1) + QLatin1Char('N');
    if (hex.startsWith(QLatin1Char('C')))
        return QLatin1Char('D') + hex.mid(1) + QLatin1Char('I');
    if (ContainsAnyOf(HexLetters, hex))
        return QString();
    return QString::number(hex.toInt() / 10.0, 'f', 1);
}

DecodedChannel DecodeChannel(const uint8_t *record)
{
    DecodedChannel d;
    const QString rx = bcdText(record);
    if (ContainsAnyOf(HexLetters, rx))
        return d;
    d.rx = rx.toLongLong() / 100000.0;
    const QString tx = bcdText(record + 4);
    d.tx = ContainsAnyOf(HexLetters, tx) ? -1 : tx.toLongLong() / 100000.0;
    d.rxTone = DecodeTone(record[8], record[9]);
    d.txTone = DecodeTone(record[10], record[11]);
    for (int k = 0; k < 7; ++k)
        d.flags[size_t(k)] = (record[12] >> k) & 1;
    d.valid = true;
    return d;
}

std::array<uint8_t, 4> EncodeFrequency(const QString &text)
{
    std::array<uint8_t, 4> out { 0xFF, 0xFF, 0xFF, 0xFF };
    QString t = text;
    const int mhz = t.indexOf(QLatin1String("MHz"));
    if (mhz >= 0)
        t = t.left(mhz);
    double v = 0;
    // Callers check the text first; anything they let through that is no
    // frequency of three digits before the point stays empty rather than wrong.
    if (t.trimmed().isEmpty() || !ParseDecimal(t, &v) || v < 0 || v >= 1000)
        return out;
    const QString digits = QStringLiteral("%1").arg(qint64(std::llround(v * 100000)), 8, 10, QLatin1Char('0'));
    out[0] = HexPairToByte(digits.mid(6, 2));
    out[1] = HexPairToByte(digits.mid(4, 2));
    out[2] = HexPairToByte(digits.mid(2, 2));
    out[3] = HexPairToByte(digits.mid(0, 2));
    return out;
}

std::array<uint8_t, 2> EncodeTone(const QString &text)
{
    std::array<uint8_t, 2> out { 0xFF, 0xFF }; // low, high
    QString t = text;
    const int hz = t.indexOf(QLatin1String("Hz"));
    if (hz >= 0)
        t = t.left(hz);
    if (t.isEmpty())
        return out;
    if (t.startsWith(QLatin1Char('D'))) {
        if (t.size() < 5)
            return out;
        QChar pol = t[4];
        if (pol == QLatin1Char('N') || pol == QLatin1Char('n'))
            pol = QLatin1Char('8');
        else if (pol == QLatin1Char('I') || pol == QLatin1Char('i'))
            pol = QLatin1Char('C');
        out[0] = HexPairToByte(t.mid(2, 2));
        out[1] = HexPairToByte(QString(pol) + t[1]);
        return out;
    }
    double v = 0;
    if (!ParseDecimal(t, &v) || v < 0 || v >= 1000)
        return out;
    const QString digits = QStringLiteral("%1").arg(qint64(std::llround(v * 10)), 4, 10, QLatin1Char('0'));
    out[0] = HexPairToByte(digits.mid(2, 2));
    out[1] = HexPairToByte(digits.mid(0, 2));
    return out;
}

void EncodeChannelField(TALL &all, int channel, int kind, const QString &text)
{
    uint8_t *r = all.channelRecord(channel);
    switch (kind) {
    case Field::RxFreq: {
        const auto f = EncodeFrequency(text);
        std::copy(f.begin(), f.end(), r);
        if (r[0] == 0xFF)
            std::fill(r + 4, r + 16, uint8_t(0xFF));
        break;
    }
    case Field::TxFreq: {
        const auto f = EncodeFrequency(text);
        std::copy(f.begin(), f.end(), r + 4);
        if (r[4] == 0xFF)
            r[10] = r[11] = 0xFF;
        break;
    }
    case Field::RxTone:
    case Field::TxTone: {
        const auto t = EncodeTone(text);
        const int at = kind == Field::RxTone ? 8 : 10;
        r[at] = t[0];
        r[at + 1] = t[1];
        break;
    }
    default:
        if (kind >= Field::BusyLock && kind <= Field::Whisper) {
            const uint8_t bit = uint8_t(1u << Field::flagBit(kind));
            if (text == QLatin1String("1"))
                r[12] |= bit;
            else
                r[12] &= uint8_t(~bit);
        }
        break;
    }
}

double SnapToStep(double f)
{
    const qint64 u = std::llround(f * 100000);
    const qint64 step = (u % 100 == 0) ? 500 : 625;
    const qint64 r = u % step;
    if (r == 0)
        return f;
    return double(u - r) / 100000.0;
}

double CheckFrequency(const TALL &all, const TLanguage &texts, TPrompter &prompt, double value, bool *warned)
{
    bool shown = false;
    if (value > all.ModelMaxFreq) {
        value = all.BandMaxFreq;
        prompt.ShowPrompt(texts.Caution, texts.ErrRange, Prompt::Info);
        shown = true;
    } else if (value < all.ModelMinFreq) {
        value = all.BandMinFreq;
        prompt.ShowPrompt(texts.Caution, texts.ErrRange, Prompt::Info);
        shown = true;
    }
    if (!shown && (value > all.BandMaxFreq || value < all.BandMinFreq)) {
        prompt.ShowPrompt(texts.Caution, texts.OutRange, Prompt::Info);
        shown = true;
    }
    if (warned)
        *warned = shown;
    return value;
}

QString NormaliseTone(const QString &text)
{
    if (text.isEmpty())
        return QString();
    if (text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
        double v = 0;
        if (!ParseDecimal(text, &v))
            return QStringLiteral("290.0");
        v = std::clamp(v, 30.0, 290.0);
        return QString::number(v, 'f', 1);
    }
    auto octal = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('7'); };
    if (text.size() == 5 && text[0] == QLatin1Char('D') && octal(text[1]) && octal(text[2]) && octal(text[3])
        && QStringLiteral("NIni").contains(text[4]))
        return text;
    return QStringLiteral("D777N");
}

bool ContainsAnyOf(const QString &set, const QString &text)
{
    for (const QChar c : set)
        if (text.contains(c))
            return true;
    return false;
}

int HexToInt(const QString &text)
{
    return text.toInt(nullptr, 16);
}

uint8_t HexPairToByte(const QString &text)
{
    return uint8_t(HexToInt(text.left(2)));
}

QString BytesToText(const uint8_t *bytes, int count)
{
    QString s;
    s.reserve(count);
    for (int i = 0; i < count; ++i)
        s.append(QChar(bytes[i]));
    return s;
}

QString IfThenText(bool flag, const QString &first, const QString &second)
{
    return flag ? first : second;
}

QString FilterSerialChar(uint8_t b)
{
    const bool keep = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9');
    return keep ? QString(QChar(b)) : QStringLiteral(" ");
}

namespace {

// The one tone table: every CTCSS tone with its two-character code and every
// DCS code the picker offers; the tone boxes offer those marked for the list.
struct CtcssEntry
{
    const char *tone, *code;
    bool listed;
};
const CtcssEntry CtcssTable[] = {
    {"67.0", "XZ", true},   {"69.3", "WZ", true},   {"71.9", "XA", true},   {"74.4", "WA", true},
    {"77.0", "XB", true},   {"79.7", "WB", true},   {"82.5", "YZ", true},   {"85.4", "YA", true},
    {"88.5", "YB", true},   {"91.5", "ZZ", true},   {"94.8", "ZA", true},   {"97.4", "ZB", true},
    {"100.0", "1Z", true},  {"103.5", "1A", true},  {"107.2", "1B", true},  {"110.9", "2Z", true},
    {"114.8", "2A", true},  {"118.8", "2B", true},  {"123.0", "3Z", true},  {"127.3", "3A", true},
    {"131.8", "3B", true},  {"136.5", "4Z", true},  {"141.3", "4A", true},  {"146.2", "4B", true},
    {"151.4", "5Z", true},  {"156.7", "5A", true},  {"162.2", "5B", true},  {"167.9", "6Z", true},
    {"173.8", "6A", true},  {"179.9", "6B", true},  {"186.2", "7Z", true},  {"192.8", "7A", true},
    {"203.5", "M1", true},  {"206.5", "8Z", false}, {"210.7", "M2", true},  {"218.1", "M3", true},
    {"225.7", "M4", true},  {"229.1", "9Z", false}, {"233.6", "M5", true},  {"241.8", "M6", true},
    {"250.3", "M7", true},  {"254.1", "0Z", false},
};
// DCS codes; the two the tone boxes leave out are marked.
const char *const DcsTable = "023 025 026 031 032 043 047 051 054 065 071 072 073 074 114 115 116 125 131 132 134 "
                             "143 152 155 156 162 165 172 174 205 223 226 243 244 245 251 261 263 265 271 306 311 "
                             "315 331 343 346 351 364 365 371 411 412 413 423 431 432 445 464 465 466 503 506 516 "
                             "525* 532 546 565 606 612 624 627 631 632 645* 654 662 664 703 712 723 731 732 734 743 "
                             "754";

QStringList dcsTable(bool listedOnly)
{
    QStringList out;
    for (const QString &c : QString::fromLatin1(DcsTable).split(QLatin1Char(' '))) {
        const bool listed = !c.endsWith(QLatin1Char('*'));
        if (listed || !listedOnly)
            out.append(listed ? c : c.chopped(1));
    }
    return out;
}

} // namespace

const QStringList &CtcssTones()
{
    static const QStringList tones = [] {
        QStringList t;
        for (const CtcssEntry &e : CtcssTable)
            if (e.listed)
                t.append(QLatin1String(e.tone));
        return t;
    }();
    return tones;
}

const QStringList &DcsCodes()
{
    static const QStringList codes = dcsTable(true);
    return codes;
}

const QStringList &ToneTableItems()
{
    static const QStringList items = [] {
        QStringList out;
        int i = 0;
        for (const CtcssEntry &e : CtcssTable)
            out.append(QStringLiteral("%1-%2-%3").arg(++i, 2, 16, QLatin1Char('0')).toUpper().arg(e.tone, e.code));
        out << QString() << QString() << QString();
        i = 0;
        for (const QString &c : dcsTable(false))
            out.append(QStringLiteral("%1-D%2").arg(++i).arg(c));
        out << QString() << QString() << QString();
        return out;
    }();
    return items;
}

QStringList ToneBoxEntries(const QString &noneText)
{
    QStringList list { noneText };
    list += CtcssTones();
    for (const QString &c : DcsCodes())
        list.append(QLatin1Char('D') + c + QLatin1Char('N'));
    for (const QString &c : DcsCodes())
        list.append(QLatin1Char('D') + c + QLatin1Char('I'));
    return list;
}
