#include "image/Defaults.h"
#include "image/AllClass.h"
#include "models/MacType.h"

const uint8_t OptionDefaults[20] = { 1, 1, 0, 0, 4, 1, 1, 1, 0, 1, 0xFF, 0xFF, 0xFF, 1, 4, 0xFF, 1, 5, 1, 6 };

void LoadDefaults(TALL &all, const QDateTime &now)
{
    auto &img = all.RadioImage;
    std::fill(img.begin() + 16, img.begin() + 432, uint8_t(0xFF));
    std::fill(img.begin(), img.begin() + 16, uint8_t(0xFF));
    all.NewPasswordEnabled = false;
    std::copy(std::begin(OptionDefaults), std::end(OptionDefaults), img.begin() + Image::OptionFirst);
    WriteIdentification(all);
    WriteTimeStamp(all, now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void WriteIdentification(TALL &all)
{
    auto &img = all.RadioImage;
    const QByteArray code = all.ModelCode.toLatin1().leftJustified(4, ' ', true);
    img[343] = 0;
    img[342] = 0;
    img[341] = all.Bands->CodeOf(all.BandText);
    for (int i = 3; i >= 0; --i)
        img[size_t(337 + i)] = uint8_t(code[i]);
    img[336] = 'P';
}

void WriteTimeStamp(TALL &all, const QString &t)
{
    auto field = [&](int from, int len) { return t.mid(from - 1, len).toInt(); };
    const int year = field(1, 4);
    auto &img = all.RadioImage;
    img[368] = uint8_t(year & 0xFF);
    img[369] = uint8_t((year >> 8) & 0xFF);
    img[370] = uint8_t(field(6, 2));
    img[371] = uint8_t(field(9, 2));
    img[372] = uint8_t(field(12, 2));
    img[373] = uint8_t(field(15, 2));
    img[374] = uint8_t(field(18, 2));
}

QString FormatWriteTime(const uint8_t *b)
{
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(b[1] * 256 + b[0])
        .arg(two(b[2]), two(b[3]), two(b[4]), two(b[5]), two(b[6]));
}

uint8_t ClampByte(uint8_t value, uint8_t low, uint8_t high, uint8_t replacement)
{
    return (value >= low && value <= high) ? value : replacement;
}

void SanitiseImage(TALL &all)
{
    auto &img = all.RadioImage;
    for (int o : { 304, 305, 306, 307 })
        img[size_t(o)] &= 1;
    img[308] = ClampByte(img[308], 0, 8, 4);
    for (int o : { 309, 310, 311, 312, 313 })
        img[size_t(o)] &= 1;
    uint8_t low = ClampByte(img[316] & 0x0F, 0, 2, 0);
    uint8_t high = ClampByte(img[316] >> 4, 0, 2, 0);
    img[316] = uint8_t((high << 4) | low);
    img[317] = ClampByte(img[317], 0, 2, 0);
    img[318] = ClampByte(img[318], 0, 4, 4);
    img[321] = ClampByte(img[321], 0, 9, 5);
    img[322] = ClampByte(img[322], 0, 3, 1);
    img[323] = ClampByte(img[323], 0, 30, 6);
    const uint8_t code = all.Bands->CodeOf(all.BandText);
    if (img[Image::BandCode] != code)
        img[Image::BandCode] = code;
}
