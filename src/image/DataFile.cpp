#include "image/DataFile.h"
#include "i18n/Language.h"
#include "image/AllClass.h"
#include "image/ChannelCodec.h"
#include "image/Defaults.h"
#include "models/MacType.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cmath>

FileHeader EncodeFileHeader(const QString &modelText, const QString &bandDigits, const QString &t)
{
    FileHeader h;
    h.fill(0xFF);
    const QByteArray model = (modelText + QStringLiteral("        ")).toLatin1();
    for (int i = 0; i < 5; ++i)
        h[size_t(i)] = uint8_t(model[i]);
    for (int i = 0; i < 3; ++i)
        h[size_t(5 + i)] = uint8_t(HexToInt(bandDigits.mid(2 * i, 2)));
    const int year = t.mid(0, 4).toInt();
    h[8] = uint8_t(year & 0xFF);
    h[9] = uint8_t((year >> 8) & 0xFF);
    h[10] = uint8_t(t.mid(5, 2).toInt());
    h[11] = uint8_t(t.mid(8, 2).toInt());
    h[12] = uint8_t(t.mid(11, 2).toInt());
    h[13] = uint8_t(t.mid(14, 2).toInt());
    return h;
}

QString DecodeFileHeader(const FileHeader &h)
{
    return BytesToText(h.data(), 5);
}

QString FormatHeaderSaveTime(const FileHeader &h)
{
    return QStringLiteral("%1-%2-%3 %4:%5")
        .arg(h[9] * 256 + h[8])
        .arg(h[10], 2, 10, QLatin1Char('0'))
        .arg(h[11], 2, 10, QLatin1Char('0'))
        .arg(h[12], 2, 10, QLatin1Char('0'))
        .arg(h[13], 2, 10, QLatin1Char('0'));
}

FileResult WriteDataFile(TALL &all, const QString &path, const QDateTime &now)
{
    auto three = [](double v) { return QStringLiteral("%1").arg(qint64(std::llround(v)), 3, 10, QLatin1Char('0')); };
    const FileHeader h = EncodeFileHeader(QStringLiteral("P") + all.ModelCode,
        three(all.BandMinFreq) + three(all.BandMaxFreq), now.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    QByteArray bytes(reinterpret_cast<const char *>(h.data()), DataFile::HeaderSize);
    bytes.append(reinterpret_cast<const char *>(all.RadioImage.data()) + 16, Image::Size - 16);

    // QSaveFile writes beside the target and renames only on commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        FileResult r { FileResult::IoError, file.errorString() };
        file.cancelWriting();
        return r;
    }
    all.Modified = false;
    return {};
}

FileResult ReadDataFile(TALL &all, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { FileResult::IoError, file.errorString() };
    const QByteArray bytes = file.read(DataFile::Size);
    if (file.error() != QFileDevice::NoError)
        return { FileResult::IoError, file.errorString() };
    if (bytes.size() < DataFile::Size)
        return { FileResult::TooShort, QString() };

    FileHeader h;
    std::copy(bytes.begin(), bytes.begin() + DataFile::HeaderSize, h.begin());
    const QString code = DecodeFileHeader(h).mid(1).trimmed();
    if (!all.Models->FindByCode(code))
        return { FileResult::UnknownModel, QString() };
    const uint8_t bandCode = uint8_t(bytes[Image::BandCode]);
    if (!all.Models->FindByBand(all.Bands->TextOf(bandCode)))
        return { FileResult::NoModelForBand, QString() };

    std::copy(bytes.begin() + 16, bytes.end(), all.RadioImage.begin() + 16);
    std::copy(h.begin(), h.begin() + 8, all.RadioImage.begin());
    BindModel(all, bandCode, true);
    SanitiseImage(all);
    all.Modified = false;
    return {};
}

QString DescribeFileResult(const FileResult &result, const QString &path, const TLanguage &texts)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (result.status) {
    case FileResult::Ok: return QString();
    case FileResult::IoError: return QStringLiteral("%1: %2").arg(name, result.reason);
    case FileResult::TooShort:
        return QStringLiteral("%1: the file is shorter than %2 bytes, so it is no data file of this radio.")
            .arg(name)
            .arg(DataFile::Size);
    case FileResult::UnknownModel:
        return QStringLiteral("%1: %2 (the file is for a model this program does not know)").arg(name, texts.ModError);
    case FileResult::NoModelForBand:
        return QStringLiteral("%1: %2 (the file's band belongs to no model)").arg(name, texts.ModError);
    }
    return QString();
}
