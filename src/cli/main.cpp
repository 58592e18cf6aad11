// tl5960s-cli: data files without the windows, for scripts and fleet preparation.

#include "app/DataModule.h"
#include "cli/CliCommon.h"
#include "cli/PrintVerb.h"
#include "cli/RadioVerbs.h"
#include "image/ChannelCodec.h"
#include "image/ChannelEntry.h"
#include "image/DataFile.h"
#include "image/Defaults.h"
#include "image/OptionTable.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <memory>

#include <cstdio>

namespace
{

const char *Usage = R"(Usage: tl5960s-cli VERB [ARGUMENTS]

Data files:
  new [--band "450 - 470MHz"] OUT.dat   new image for the model owning the band
  info FILE.dat                         model, band, serial number, write time
  channels FILE.dat                     the 16 channels as the channel grid shows them
  options FILE.dat                      every option byte with its shown value
  set FILE.dat CHANNEL FIELD TEXT       edit one channel field and save
        FIELD: rx tx dec enc power wn scan compander scrambler busylock
        TEXT "" clears rx (deletes the channel), tx, dec or enc
  print FILE.dat OUT.pdf [--language NAME]
                                        the printout as PDF, in a language file's language

Radio (PORT: COM1..COM20 or a device path such as /dev/ttyUSB0):
  ports                                 present serial ports
  read --port PORT OUT.dat              read the radio into a data file
  write --port PORT IN.dat [--force]    write a data file into the radio;
        --force answers Yes when the radio reports the other model

Exit status: 0 done, 2 usage error, 3 file unreadable or refused, 4 link failure.
)";

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

int usageError(const QString &why)
{
    printError(QStringLiteral("tl5960s-cli: %1 (see tl5960s-cli --help)").arg(why));
    return Exit::Usage;
}

int readFile(DataModule &dm, const QString &path)
{
    const FileResult r = ReadDataFile(dm.All, path);
    if (r.ok())
        return Exit::Ok;
    printError(QStringLiteral("tl5960s-cli: cannot use %1").arg(DescribeFileResult(r, path, dm.Texts)));
    return Exit::File;
}

int writeFile(DataModule &dm, const QString &path)
{
    const FileResult r = WriteDataFile(dm.All, path);
    if (r.ok())
        return Exit::Ok;
    printError(QStringLiteral("tl5960s-cli: cannot save %1").arg(DescribeFileResult(r, path, dm.Texts)));
    return Exit::File;
}

int verbNew(DataModule &dm, QStringList args)
{
    QString band;
    const int at = args.indexOf(QStringLiteral("--band"));
    if (at >= 0) {
        if (at + 1 >= args.size())
            return usageError(QStringLiteral("--band needs a band text such as \"450 - 470MHz\""));
        band = args.takeAt(at + 1);
        args.removeAt(at);
    }
    if (args.size() != 1)
        return usageError(QStringLiteral("new takes one output file"));
    if (!band.isEmpty()) {
        switch (BindBandText(dm.All, band)) {
        case BandTextBinding::UnknownBand: return usageError(QStringLiteral("unknown band \"%1\"").arg(band));
        case BandTextBinding::NoModel:
            return usageError(QStringLiteral("no model is made for the band \"%1\"").arg(band));
        case BandTextBinding::Bound: break;
        }
    }
    LoadDefaults(dm.All);
    return writeFile(dm, args[0]);
}

int verbInfo(DataModule &dm, const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("info takes one data file"));
    if (const int rc = readFile(dm, args[0]))
        return rc;
    QFile f(args[0]);
    FileHeader h {};
    if (f.open(QIODevice::ReadOnly))
        f.read(reinterpret_cast<char *>(h.data()), h.size());
    const auto &img = dm.All.RadioImage;
    QString serial;
    for (int i = 0; i < Image::SerialSize; ++i)
        serial += FilterSerialChar(img[size_t(Image::Serial + i)]);
    out() << "Model code:\t" << dm.All.ModelCode << '\n'
          << "Model name:\t" << dm.All.ModelName << '\n'
          << "Band:\t" << dm.All.BandText << '\n'
          << "Band edges:\t" << FormatFrequency(dm.All.BandMinFreq) << " - " << FormatFrequency(dm.All.BandMaxFreq)
          << " MHz\n"
          << "Serial number:\t" << serial << '\n'
          << "Write time:\t" << FormatWriteTime(img.data() + Image::WriteTime) << '\n'
          << "Saved:\t" << FormatHeaderSaveTime(h) << '\n';
    return Exit::Ok;
}

int verbChannels(DataModule &dm, const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("channels takes one data file"));
    if (const int rc = readFile(dm, args[0]))
        return rc;
    for (int n = 1; n <= Image::ChannelCount; ++n) {
        const QStringList row = ChannelRowTexts(dm.All, n);
        out() << (row[1].isEmpty() ? row[0] : row.join(QLatin1Char('\t'))) << '\n';
    }
    return Exit::Ok;
}

int verbOptions(DataModule &dm, const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("options takes one data file"));
    if (const int rc = readFile(dm, args[0]))
        return rc;
    for (int offset = Image::OptionFirst; offset <= Image::OptionLast; ++offset) {
        const uint8_t byte = dm.All.RadioImage[size_t(offset)];
        const QString raw = QStringLiteral("%1\t0x%2").arg(offset).arg(byte, 2, 16, QLatin1Char('0'));
        bool shown = false;
        for (const OptionControl &c : OptionControls()) {
            if (c.offset != offset)
                continue;
            out() << raw << '\t' << c.control << '\t' << c.label << '\t' << OptionValueText(c, byte)
                  << (c.hidden ? "\t(hidden)" : "") << '\n';
            shown = true;
        }
        if (!shown)
            out() << raw << "\t-\t(no control)\t\n";
    }
    return Exit::Ok;
}

int verbSet(DataModule &dm, const QStringList &args)
{
    if (args.size() != 4)
        return usageError(QStringLiteral("set takes FILE CHANNEL FIELD TEXT"));
    static const QStringList fields { QStringLiteral("rx"), QStringLiteral("tx"), QStringLiteral("dec"),
        QStringLiteral("enc"), QStringLiteral("power"), QStringLiteral("wn"), QStringLiteral("scan"),
        QStringLiteral("compander"), QStringLiteral("scrambler"), QStringLiteral("busylock") };
    bool ok = false;
    const int channel = args[1].toInt(&ok);
    if (!ok || channel < 1 || channel > Image::ChannelCount)
        return usageError(QStringLiteral("channel must be a number from 1 to %1").arg(Image::ChannelCount));
    const int field = fields.indexOf(args[2].toLower());
    if (field < 0)
        return usageError(
            QStringLiteral("unknown field \"%1\"; use one of %2").arg(args[2], fields.join(QLatin1Char(' '))));
    if (const int rc = readFile(dm, args[0]))
        return rc;
    CliPrompter prompt;
    QString reason;
    if (!ApplyChannelEntry(dm.All, dm.Texts, prompt, channel, GridColumn::Rx + field, args[3], &reason))
        return usageError(reason);
    return writeFile(dm, args[0]);
}

} // namespace

int main(int argc, char *argv[])
{
    // Only the printout needs the windows; it renders off screen when there is no display.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    if (printing && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (printing) // the off-screen windows' chatter is no message for the user
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                printError(msg);
        });
    std::unique_ptr<QCoreApplication> app(printing ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("tl5960s"));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usageError(QStringLiteral("no verb given"));
    const QString verb = args.takeFirst();
    if (verb == QLatin1String("--help") || verb == QLatin1String("-h") || verb == QLatin1String("help")) {
        out() << Usage;
        return Exit::Ok;
    }

    DataModule dm(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    dm.BindStartModel();
    LoadDefaults(dm.All);

    if (verb == QLatin1String("new"))
        return verbNew(dm, args);
    if (verb == QLatin1String("info"))
        return verbInfo(dm, args);
    if (verb == QLatin1String("channels"))
        return verbChannels(dm, args);
    if (verb == QLatin1String("options"))
        return verbOptions(dm, args);
    if (verb == QLatin1String("set"))
        return verbSet(dm, args);
    if (verb == QLatin1String("print"))
        return RunPrintVerb(args, dm);
    if (const int rc = RunRadioVerb(verb, args, dm); rc >= 0)
        return rc;
    return usageError(QStringLiteral("unknown verb \"%1\"").arg(verb));
}
