#include "cli/RadioVerbs.h"
#include "app/DataModule.h"
#include "cli/CliCommon.h"
#include "image/DataFile.h"
#include "link/LinkSession.h"
#include "link/Ports.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSerialPortInfo>
#include <QTextStream>

namespace
{

int usage(const QString &why)
{
    printError(QStringLiteral("tl5960s-cli: %1 (see tl5960s-cli --help)").arg(why));
    return Exit::Usage;
}

int verbPorts()
{
    QTextStream out(stdout);
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString alias = PortAlias(info.systemLocation());
        QString ids;
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            ids = QStringLiteral("%1:%2")
                      .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                      .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        const QString description
            = QStringList { info.manufacturer(), info.description() }.join(QLatin1Char(' ')).trimmed();
        out << (alias.isEmpty() ? QStringLiteral("-") : alias) << '\t' << info.systemLocation() << '\t' << description
            << '\t' << ids << '\n';
    }
    return Exit::Ok;
}

// Runs one transfer to its end; true when it completed.
bool runTransfer(Link::Machine &machine, DataModule &dm, const QString &port, bool answerYes, const char *what)
{
    CliPrompter prompt(answerYes);
    Link::Session session(machine, prompt, dm.Texts);
    QEventLoop loop;
    bool success = false;
    QObject::connect(&session, &Link::Session::finished, &loop, [&](bool ok) {
        success = ok;
        loop.quit();
    });
    QObject::connect(&session, &Link::Session::closeRequested, &loop, &QEventLoop::quit);
    QObject::connect(&session, &Link::Session::progressChanged, &loop,
        [what](int value) { printProgress(what, value, Link::ProgressMaximum); });
    const QString device = PortDevice(port);
    if (!session.open(device))
        return false;
    session.ok();
    loop.exec();
    session.close();
    return success;
}

// Takes "--port P" out of the arguments.
QString takePort(QStringList &args)
{
    const int at = args.indexOf(QStringLiteral("--port"));
    if (at < 0 || at + 1 >= args.size())
        return QString();
    const QString port = args.takeAt(at + 1);
    args.removeAt(at);
    return port;
}

int verbRead(QStringList args, DataModule &dm)
{
    const QString port = takePort(args);
    if (port.isEmpty() || args.size() != 1)
        return usage(QStringLiteral("read takes --port PORT and one output file"));
    Link::ReadMachine machine(dm.All, dm.Texts);
    if (!runTransfer(machine, dm, port, false, "Reading") || !machine.success())
        return Exit::Link;
    const FileResult r = WriteDataFile(dm.All, args[0]);
    if (r.ok())
        return Exit::Ok;
    printError(QStringLiteral("tl5960s-cli: cannot save %1").arg(DescribeFileResult(r, args[0], dm.Texts)));
    return Exit::File;
}

int verbWrite(QStringList args, DataModule &dm)
{
    const QString port = takePort(args);
    const bool force = args.removeAll(QStringLiteral("--force")) > 0;
    if (port.isEmpty() || args.size() != 1)
        return usage(QStringLiteral("write takes --port PORT, one data file and maybe --force"));
    const FileResult r = ReadDataFile(dm.All, args[0]);
    if (!r.ok()) {
        printError(QStringLiteral("tl5960s-cli: cannot use %1").arg(DescribeFileResult(r, args[0], dm.Texts)));
        return Exit::File;
    }
    Link::WriteMachine machine(dm.All, dm.Texts);
    return runTransfer(machine, dm, port, force, "Writing") ? Exit::Ok : Exit::Link;
}

} // namespace

int RunRadioVerb(const QString &verb, const QStringList &args, DataModule &dm)
{
    if (verb == QLatin1String("ports"))
        return args.isEmpty() ? verbPorts() : usage(QStringLiteral("ports takes no arguments"));
    if (verb == QLatin1String("read"))
        return verbRead(args, dm);
    if (verb == QLatin1String("write"))
        return verbWrite(args, dm);
    return -1;
}
