// The read and write transfers as state machines, fed bytes, timer expiries
// and line events the way a radio and the port deliver them.

#include "CoreFixture.h"
#include "link/LinkMachine.h"
#include "link/Ports.h"
#include "models/MacType.h"

#include <memory>

#include <QtTest>

using namespace Link;

namespace
{

// Collects what the machine asks for: bytes sent, messages, questions and timers.
struct Wire {
    QByteArray sent;
    QStringList messages;
    QStringList questions;
    QSet<int> running;
    QList<int> pauses;
    bool closed = false;
    int finished = -1;
    bool okEnabled = true;
    int progress = 0;

    void take(Machine &m)
    {
        for (const Action &a : m.takeActions()) {
            switch (a.kind) {
            case Action::Send: sent += a.bytes; break;
            case Action::Pause: pauses << a.value; break;
            case Action::StartTimer: running.insert(a.value); break;
            case Action::StopTimer: running.remove(a.value); break;
            case Action::Message: messages << a.text; break;
            case Action::Ask: questions << a.text; break;
            case Action::Progress: progress = a.value; break;
            case Action::EnableOk: okEnabled = a.value != 0; break;
            case Action::Close: closed = true; break;
            case Action::Finished: finished = a.value; break;
            default: break;
            }
        }
    }
    QByteArray takeSent()
    {
        QByteArray s;
        s.swap(sent);
        return s;
    }
};

QByteArray identification(const char *code)
{
    QByteArray id(16, char(0));
    id[0] = 'P';
    id.replace(1, 4, code);
    return id;
}

// A radio memory of 368 bytes with a recognisable pattern and a band code.
QByteArray radioMemory(uint8_t band)
{
    QByteArray m(368, char(0));
    for (int i = 0; i < m.size(); ++i)
        m[i] = char(i * 7 + 1);
    m.replace(320, 8, QByteArray("P5960", 5) + char(band) + QByteArray(2, char(0)));
    return m;
}

const QByteArray ack(1, char(0x06));

std::unique_ptr<Machine> makeMachine(bool write, BoundModule &dm)
{
    if (write)
        return std::make_unique<WriteMachine>(dm.All, dm.Texts);
    return std::make_unique<ReadMachine>(dm.All, dm.Texts);
}

} // namespace

class TestLink : public QObject
{
    Q_OBJECT

    // Runs the handshake of either machine up to the block exchange.
    static void handshake(Machine &m, Wire &w, const char *code)
    {
        m.ok();
        w.take(m);
        QCOMPARE(w.takeSent(), QByteArray("PROGRAM"));
        QCOMPARE(w.pauses.mid(2, 6), (QList<int> { 2, 2, 2, 2, 2, 2 }));
        QVERIFY(w.running.contains(HeadTime));
        m.received(ack);
        w.take(m);
        QCOMPARE(w.takeSent(), QByteArray(1, char(0x02)));
        m.received(identification(code));
        w.take(m);
    }

    // Answers a read to its end from the given memory; false if the program strays.
    static bool serveRead(ReadMachine &m, Wire &w, const QByteArray &memory, int stopAtBlock = 46)
    {
        for (int block = 0; block < stopAtBlock; ++block) {
            if (w.takeSent() != ack)
                return false;
            m.received(ack);
            w.take(m);
            const int address = block * 8;
            if (w.takeSent() != QByteArray("R") + char(address / 256) + char(address % 256) + char(8))
                return false;
            m.received(QByteArray("\x11\x22\x33\x44", 4) + memory.mid(address, 8));
            w.take(m);
        }
        return true;
    }

private slots:
    void fullRead()
    {
        BoundModule dm(0xF1);
        dm.All.RadioImage[440] = 0x77;
        dm.All.Modified = false;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "5960");
        QVERIFY(serveRead(m, w, radioMemory(0xF7)));
        QCOMPARE(w.takeSent(), ack);
        m.received(ack);
        w.take(m);
        QCOMPARE(w.takeSent(), QByteArray("E"));
        QCOMPARE(w.messages, QStringList { "Reading Completed." });
        QVERIFY(m.success());
        QCOMPARE(w.finished, 1);
        QVERIFY(w.running.contains(CloseTime));
        QVERIFY(dm.All.Modified);
        // Radio addresses 0..367 at offsets 16..383; 384..431 zero; the tail kept.
        QByteArray expected = radioMemory(0xF7);
        SanitiseImage(dm.All); // idempotent: compare with what sanitising leaves
        QCOMPARE(bytesAt(dm.All.RadioImage, 16, 304 - 16), expected.left(304 - 16));
        QCOMPARE(bytesAt(dm.All.RadioImage, 384, 48), QByteArray(48, char(0)));
        QCOMPARE(int(dm.All.RadioImage[440]), 0x77);
        QCOMPARE(dm.All.BandText, QStringLiteral("400 - 470MHz"));
        QCOMPARE(w.progress, ProgressMaximum);
    }

    void bandCodes_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("boundBand");
        QTest::addColumn<int>("storedBand");
        // The model follows the band code, whatever code the identification carried.
        QTest::newRow("VHF code, UHF band") << 0xF4 << "4960"
                                            << "450 - 470MHz" << 0xF4;
        QTest::newRow("band outside the list") << 0x00 << "5960"
                                               << "440 - 480MHz" << 0xF9;
    }
    void bandCodes()
    {
        QFETCH(int, band);
        QFETCH(QString, code);
        BoundModule dm(0xF1);
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, code.toLatin1().constData());
        QVERIFY(serveRead(m, w, radioMemory(uint8_t(band))));
        m.received(ack);
        w.take(m);
        QVERIFY(m.success());
        QTEST(dm.All.BandText, "boundBand");
        QTEST(int(dm.All.RadioImage[341]), "storedBand");
    }

    void bandOfNoModelIsRefused()
    {
        BoundModule dm(0xF1);
        const RadioImageBytes before = dm.All.RadioImage;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "5960");
        QVERIFY(serveRead(m, w, radioMemory(0xFD)));
        m.received(ack);
        w.take(m);
        QVERIFY(!m.success());
        QCOMPARE(w.messages, QStringList { "Model Type Wrong." });
        QCOMPARE(dm.All.RadioImage, before);
        QCOMPARE(dm.All.ModelCode, QStringLiteral("4960"));
        QVERIFY(!dm.All.Modified);
    }

    void strayAndSplitReplies()
    {
        BoundModule dm;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        m.ok();
        w.take(m);
        w.takeSent();
        // The acknowledgement after one stray byte is accepted.
        m.received(QByteArray("\x00\x06", 2));
        w.take(m);
        QCOMPARE(w.takeSent(), QByteArray(1, char(0x02)));
        // An identification in pieces is handled at its 16th byte; extra bytes are held and ignored.
        m.received(identification("5960").left(10));
        w.take(m);
        QCOMPARE(m.state(), 2);
        m.received(identification("5960").mid(10) + QByteArray("xyz"));
        w.take(m);
        QCOMPARE(m.state(), 3);
        QCOMPARE(w.takeSent(), ack);
        QVERIFY(w.messages.isEmpty());
    }

    void tooManyHeldIsNotHandled()
    {
        BoundModule dm;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        m.ok();
        m.received(ack);
        w.take(m);
        w.takeSent();
        m.received(identification("5960") + QByteArray(40, 'x'));
        w.take(m);
        QCOMPARE(m.held(), HeldMaximum);
        QCOMPARE(m.state(), 2);
        QVERIFY(w.takeSent().isEmpty());
        m.timerExpired(HeadTime);
        w.take(m);
        QCOMPARE(w.pauses.last(), 2500);
        QCOMPARE(w.messages, QStringList { "Please check all connections and communication port settings." });
        m.timerExpired(CloseTime);
        w.take(m);
        QVERIFY(w.closed);
    }

    void unknownModel()
    {
        BoundModule dm;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "1234");
        QCOMPARE(w.takeSent(), QByteArray("E"));
        QCOMPARE(w.messages, QStringList { "Model Type Wrong." });
        // Later bytes from the radio are ignored, and no timer runs.
        m.received(identification("5960"));
        w.take(m);
        QVERIFY(w.takeSent().isEmpty());
        QVERIFY(w.running.isEmpty());
    }

    void timeoutsAndCancelKeepTheImage_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("time-out at block 10") << 10 << false;
        QTest::newRow("cancel at block 20") << 20 << true;
    }
    void timeoutsAndCancelKeepTheImage()
    {
        QFETCH(int, blocks);
        QFETCH(bool, cancel);
        BoundModule dm(0xF1);
        const RadioImageBytes before = dm.All.RadioImage;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "5960");
        QVERIFY(serveRead(m, w, radioMemory(0xF4), blocks));
        if (cancel) {
            m.cancel();
            w.take(m);
            QVERIFY(w.running.isEmpty());
            QVERIFY(w.messages.isEmpty());
        } else {
            m.timerExpired(TryTime);
            m.timerExpired(TryTime); // a second expiry shows nothing more
            w.take(m);
            QCOMPARE(w.messages.size(), 1);
            QCOMPARE(w.finished, 0);
        }
        QVERIFY(!w.takeSent().contains('E')); // the radio gets no end byte
        QCOMPARE(dm.All.RadioImage, before);
        QCOMPARE(dm.All.ModelCode, QStringLiteral("4960"));
        QVERIFY(!dm.All.Modified);
    }

    void lineErrors()
    {
        BoundModule dm;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "5960");
        w.takeSent();
        // The first line error restarts the whole transfer after 500 ms, silently.
        m.lineError();
        w.take(m);
        QVERIFY(w.running.contains(ReTime));
        m.timerExpired(TryTime); // the guard of the broken exchange runs out meanwhile
        w.take(m);
        QVERIFY(w.messages.isEmpty());
        m.timerExpired(ReTime);
        w.take(m);
        QCOMPARE(w.takeSent(), QByteArray("PROGRAM"));
        QVERIFY(w.pauses.contains(450));
        // The second one ends in ComError through the guard timer.
        m.lineError();
        w.take(m);
        QVERIFY(w.running.contains(TryTime));
        QVERIFY(w.messages.isEmpty());
        m.timerExpired(TryTime);
        w.take(m);
        QCOMPARE(w.messages, QStringList { "Please check all connections and communication port settings." });
    }

    // Every row of both failure tables: where the transfer stands, what goes
    // wrong, and what the user sees and the dialog does afterwards.
    void failureTables_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("stage"); // 0 dialog shown, 1 program mode, 2 identification, 3 at block 6
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closes"); // CloseTime runs afterwards
        QTest::addColumn<bool>("okEnabled");
        QTest::addColumn<bool>("longPause"); // the 2500 ms pause before the message
        const QString port = QStringLiteral("Cannot Open Commcmication Port.");
        const QString com = QStringLiteral("Please check all connections and communication port settings.");
        for (const bool write : { false, true }) {
            const char *w = write ? "write: " : "read: ";
            auto row = [&](const char *name) -> QTestData & {
                return QTest::newRow(qPrintable(QString::fromLatin1(w) + QLatin1String(name))) << write;
            };
            row("port cannot be opened") << 0 << "open" << port + "\n/dev/x is not there" << true << true << false;
            row("port fails after Ok") << 1 << "port" << port << false << false << false;
            row("no program-mode acknowledgement") << 1 << "head" << com << true << false << true;
            row("no identification") << 2 << "head" << com << true << false << true;
            // The writer gives Ok back after a time-out in the block exchange.
            row("no reply in the block exchange") << 3 << "try" << com << true << write << false;
        }
        QTest::newRow("read: first line error") << false << 3 << "line try"
                                                << "" << false << false << false;
        QTest::newRow("read: second line error")
            << false << 3 << "line retime line try" << com << true << false << false;
        QTest::newRow("write: line error") << true << 3 << "line try" << com << false << false << false;
    }
    void failureTables()
    {
        QFETCH(bool, write);
        QFETCH(int, stage);
        QFETCH(QString, events);
        BoundModule dm(0xF4);
        dm.All.Modified = false;
        const RadioImageBytes before = dm.All.RadioImage;
        const std::unique_ptr<Machine> m = makeMachine(write, dm);
        Wire w;
        if (stage >= 1) {
            m->ok();
            w.take(*m);
        }
        if (stage >= 2) {
            m->received(ack);
            w.take(*m);
        }
        if (stage >= 3) {
            m->received(identification("5960"));
            w.take(*m);
            for (int block = 0; block < 6; ++block) {
                m->received(ack);
                if (!write)
                    m->received(QByteArray(12, char(block)));
                w.take(*m);
            }
        }
        w.takeSent();
        w.pauses.clear();
        for (const QString &e : events.split(QLatin1Char(' '))) {
            if (e == QLatin1String("open"))
                m->portOpenFailed(QStringLiteral("/dev/x is not there"));
            else if (e == QLatin1String("port"))
                m->portFailed(QString());
            else if (e == QLatin1String("head"))
                m->timerExpired(HeadTime);
            else if (e == QLatin1String("try"))
                m->timerExpired(TryTime);
            else if (e == QLatin1String("retime"))
                m->timerExpired(ReTime);
            else if (e == QLatin1String("line"))
                m->lineError();
            w.take(*m);
        }
        QTEST(w.messages.join(QLatin1Char('|')), "message");
        QTEST(w.running.contains(CloseTime), "closes");
        QTEST(w.okEnabled, "okEnabled");
        QTEST(w.pauses.contains(2500), "longPause");
        if (w.pauses.contains(2500)) // the pause comes before the message
            QCOMPARE(w.pauses.last(), 2500);
        QVERIFY(!w.takeSent().contains('E')); // after a failure the radio gets no end byte
        QCOMPARE(m->state(), 0);
        if (events == QLatin1String("line try")) {
            QCOMPARE(w.running.contains(ReTime), !write); // only the reader restarts by itself
        }
        if (!write) {
            QCOMPARE(dm.All.RadioImage, before);
            QVERIFY(!dm.All.Modified);
        } else if (stage >= 1) {
            // The identification block is rewritten on every Ok, even when the write then fails.
            QCOMPARE(bytesAt(dm.All.RadioImage, 336, 8), QByteArray("P5960\xF4\x00\x00", 8));
        }
    }

    // A byte other than 0x06 where an acknowledgement is awaited changes nothing; the guard runs on.
    void otherByteThanAcknowledgement()
    {
        for (const bool write : { false, true }) {
            BoundModule dm(0xF4);
            const std::unique_ptr<Machine> m = makeMachine(write, dm);
            Wire w;
            handshake(*m, w, "5960");
            QCOMPARE(w.takeSent(), ack);
            m->received(QByteArray(1, char(0x15)));
            w.take(*m);
            QVERIFY(w.takeSent().isEmpty());
            QVERIFY(w.running.contains(TryTime));
            QCOMPARE(m->state(), 3);
            // A later acknowledgement does not help: the held byte stays first.
            m->received(ack);
            w.take(*m);
            QVERIFY(w.takeSent().isEmpty());
        }
    }

    // A line error while the dialog still waits for Ok starts the transfer 500 ms later.
    void lineErrorBeforeOk()
    {
        BoundModule dm;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        m.lineError();
        w.take(m);
        QVERIFY(w.sent.isEmpty());
        QVERIFY(w.running.contains(ReTime));
        m.timerExpired(ReTime);
        w.take(m);
        QCOMPARE(w.takeSent(), QByteArray("PROGRAM"));
        QCOMPARE(m.state(), 1);
        QVERIFY(w.messages.isEmpty());
    }

    // The writer refuses a catalogue model with another channel count outright.
    void otherChannelCountIsRefused()
    {
        BoundModule dm(0xF4);
        dm.Models.Add(std::make_unique<TMacType>(QStringLiteral("3960"), 8, QStringLiteral("TL-3960 (8)")));
        WriteMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "3960");
        QVERIFY(w.questions.isEmpty());
        QCOMPARE(w.takeSent(), QByteArray("E"));
        QCOMPARE(w.messages, QStringList { "Model Type Wrong." });
        QVERIFY(w.running.contains(CloseTime));
    }

    void lineLostOnce()
    {
        BoundModule dm;
        ReadMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "5960");
        m.lineLost();
        m.lineLost();
        m.timerExpired(TryTime);
        w.take(m);
        QCOMPARE(w.messages.size(), 1);
        QCOMPARE(w.finished, 0);
    }

    // ---- write ----

    static void serveWrite(WriteMachine &m, Wire &w, QList<QByteArray> *frames)
    {
        QCOMPARE(w.takeSent(), ack);
        for (int block = 0; block < 46; ++block) {
            m.received(ack);
            w.take(m);
            frames->append(w.takeSent());
        }
        m.received(ack);
        w.take(m);
    }

    void fullWriteTwice()
    {
        BoundModule dm(0xF4);
        dm.All.RadioImage[336] = 0; // the identification is rewritten on Ok
        dm.All.Modified = false;
        QDateTime now(QDate(2025, 1, 2), QTime(3, 4, 5));
        WriteMachine m(dm.All, dm.Texts, [&now] { return now; });
        Wire w;
        handshake(m, w, "5960");
        QList<QByteArray> frames;
        serveWrite(m, w, &frames);
        QCOMPARE(frames.size(), 46);
        QCOMPARE(frames[0], QByteArray("W\x00\x00\x08", 4) + bytesAt(dm.All.RadioImage, 16, 8));
        QCOMPARE(frames[45].left(4), QByteArray("W\x01\x68\x08", 4));
        QCOMPARE(frames.last().size(), 12);
        // Exactly radio addresses 0..367 go out, block by block: nothing of offsets 0..15 or 384 on.
        QByteArray data;
        for (int block = 0; block < 46; ++block) {
            QCOMPARE(frames[block].left(4), QByteArray("W") + char(block * 8 / 256) + char(block * 8 % 256) + char(8));
            data += frames[block].mid(4);
        }
        QCOMPARE(data, bytesAt(dm.All.RadioImage, 16, 368));
        QCOMPARE(w.takeSent(), QByteArray("E"));
        QCOMPARE(w.messages, QStringList { "Writing Completed." });
        QCOMPARE(bytesAt(dm.All.RadioImage, 336, 8), QByteArray("P5960\xF4\x00\x00", 8));
        QCOMPARE(frames[40].mid(4), bytesAt(dm.All.RadioImage, 336, 8));
        QCOMPARE(bytesAt(dm.All.RadioImage, 368, 7), hex("e9 07 01 02 03 04 05"));
        QVERIFY(w.okEnabled);
        QCOMPARE(w.progress, 0);
        QVERIFY(!w.closed);
        QVERIFY(!dm.All.Modified);

        // A second Ok writes again with a new write time.
        now = now.addSecs(60);
        w = Wire();
        handshake(m, w, "5960");
        frames.clear();
        serveWrite(m, w, &frames);
        QCOMPARE(frames[44].mid(4, 7), hex("e9 07 01 02 03 05 05"));
    }

    void passwordBlock_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("new password") << true;
        QTest::newRow("no new password") << false;
    }
    void passwordBlock()
    {
        QFETCH(bool, enabled);
        BoundModule dm(0xF4);
        dm.All.NewPasswordEnabled = enabled;
        std::copy_n("12345678", 8, dm.All.RadioImage.begin() + 8);
        const QByteArray frame = WriteMachine::frame(dm.All, 328);
        QCOMPARE(frame.left(4), QByteArray("W\x01\x48\x08", 4));
        const auto scrambled = ScramblePassword(dm.All.RadioImage.data() + 8);
        const QByteArray expected = enabled ? QByteArray(reinterpret_cast<const char *>(scrambled.data()), 8)
                                            : bytesAt(dm.All.RadioImage, 344, 8);
        QCOMPARE(frame.mid(4), expected);
        QCOMPARE(bytesAt(dm.All.RadioImage, 8, 8), QByteArray("12345678"));
    }

    void modelCheck_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("answer"); // -1: no question expected
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("message");
        QTest::newRow("same model") << "5960" << -1 << true << "";
        QTest::newRow("other model, yes") << "4960" << 1 << true << "";
        QTest::newRow("other model, no") << "4960" << 0 << false << "";
        QTest::newRow("unknown model") << "9999" << -1 << false << "Model Type Wrong.";
    }
    void modelCheck()
    {
        QFETCH(QString, code);
        QFETCH(int, answer);
        QFETCH(bool, goesOn);
        QFETCH(QString, message);
        BoundModule dm(0xF4);
        const QByteArray writeTime = bytesAt(dm.All.RadioImage, 368, 7);
        WriteMachine m(dm.All, dm.Texts, [] { return QDateTime(QDate(2030, 6, 7), QTime(8, 9, 10)); });
        Wire w;
        handshake(m, w, code.toLatin1().constData());
        if (answer >= 0) {
            QCOMPARE(w.questions, QStringList { "Do you wish to Force write data?" });
            m.answer(answer == 1);
            w.take(m);
        } else {
            QVERIFY(w.questions.isEmpty());
        }
        const QByteArray sent = w.takeSent();
        QCOMPARE(sent == ack, goesOn);
        QCOMPARE(bytesAt(dm.All.RadioImage, 368, 7) != writeTime, goesOn);
        QCOMPARE(w.messages.join(QString()), message);
        if (!message.isEmpty()) {
            QCOMPARE(sent, QByteArray("E"));
            QVERIFY(w.running.contains(CloseTime));
        }
        if (answer == 0) {
            QVERIFY(sent.isEmpty()); // no "E", no timer: the dialog stays open
            QVERIFY(w.running.isEmpty());
        }
    }

    void writeLineErrorAndTimeout()
    {
        BoundModule dm(0xF4);
        WriteMachine m(dm.All, dm.Texts);
        Wire w;
        handshake(m, w, "5960");
        m.lineError();
        w.take(m);
        QCOMPARE(w.messages.size(), 1);
        QVERIFY(!w.running.contains(ReTime));
        m.timerExpired(TryTime);
        w.take(m);
        QCOMPARE(w.messages.size(), 1); // one message per attempt
    }

    void ports()
    {
        const QStringList present { "/dev/ttyS0", "/dev/ttyUSB3", "/dev/ttyACM0", "/dev/ttyUSB0", "/dev/pts/3" };
#ifdef Q_OS_LINUX
        QCOMPARE(ListSerialPorts(present), (QStringList { "COM1", "COM4", "COM9", "COM13" }));
        QCOMPARE(PortDevice(QStringLiteral("COM4")), QStringLiteral("/dev/ttyUSB3"));
        QCOMPARE(PortDevice(QStringLiteral("com20")), QStringLiteral("/dev/ttyS7"));
        QCOMPARE(PortAlias(QStringLiteral("/dev/ttyACM3")), QStringLiteral("COM12"));
        QCOMPARE(PortAlias(QStringLiteral("/dev/ttyS8")), QString());
#endif
        QCOMPARE(PortDevice(QStringLiteral("/tmp/radio")), QStringLiteral("/tmp/radio"));
        QCOMPARE(PortNumber(QStringLiteral("COM12")), 12);
        QCOMPARE(PortNumber(QStringLiteral("COMx")), -1);

        BoundModule dm;
        dm.All.PortName = QStringLiteral("Com4");
        SettlePort(dm.All, { "COM1", "COM4" });
        QCOMPARE(dm.All.PortName, QStringLiteral("COM4"));
        dm.All.PortName = QStringLiteral("COM7");
        SettlePort(dm.All, { "COM2" });
        QCOMPARE(dm.All.PortName, QStringLiteral("COM2"));
        dm.All.PortName = QStringLiteral("COM7");
        SettlePort(dm.All, {});
        QCOMPARE(dm.All.PortName, QStringLiteral("COM7"));
        dm.All.PortName = QStringLiteral("/tmp/radio");
        SettlePort(dm.All, { "COM2" });
        QCOMPARE(dm.All.PortName, QStringLiteral("/tmp/radio"));

        QVERIFY(PortOpenFailureDetail(QStringLiteral("/dev/nonexistent"), 0).contains(QStringLiteral("not there")));
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "test_link.moc"
