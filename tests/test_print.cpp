// The printout rendered to PDF and read back with pdftotext.

#include "FakeHost.h"
#include "app/Print.h"
#include "app/PrintData.h"
#include "app/Report.h"
#include "editors/OptFun.h"
#include "image/ChannelEntry.h"

#include <QApplication>
#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// The text of one page (0: all pages) of a PDF.
QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args { QStringLiteral("-layout") };
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    return pdfText(pdf).count(QLatin1Char('\f'));
}

// Two channels: one with both frequencies, one receive only.
void program(FakeHost &host)
{
    ApplyChannelEntry(host.data.All, host.data.Texts, host.prompter, 1, GridColumn::Rx, QStringLiteral("451.125"));
    ApplyChannelEntry(host.data.All, host.data.Texts, host.prompter, 3, GridColumn::Rx, QStringLiteral("452.5"));
    ApplyChannelEntry(host.data.All, host.data.Texts, host.prompter, 3, GridColumn::Tx, QString());
    host.data.All.RadioImage[307] = 1; // VOX on
}

const QDateTime PrintTime(QDate(2024, 3, 5), QTime(14, 7));

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed");
    }

    void pages()
    {
        FakeHost host;
        program(host);
        const QString pdf = m_dir.filePath(QStringLiteral("english.pdf"));
        QVERIFY(PrintToPdf(host, pdf, PrintTime));
        QCOMPARE(pageCount(pdf), 2);

        const QString first = pdfText(pdf, 1);
        QVERIFY(first.contains(QStringLiteral("TL-5960s")));
        QVERIFY(first.contains(QStringLiteral("2024/03/05")));
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("Model Type\\s+TL-5960s\\(UHF\\)"))));
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("Frequency\\[MHz\\]\\s+450 - 470MHz"))));
        QVERIFY(first.contains(QStringLiteral("Key Function")));
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("VOX Function\\s+Opened"))));
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("TX Time Out\\s+180"))));
        QVERIFY(!first.contains(QStringLiteral("RX Frequency")));

        // The channel group begins on its own page, after the page header.
        const QString second = pdfText(pdf, 2);
        QVERIFY(second.contains(QStringLiteral("Model Type")));
        QVERIFY(second.contains(QStringLiteral("Channel Information")));
        QVERIFY(second.contains(QStringLiteral("Channel No.1")));
        QVERIFY(second.contains(QStringLiteral("Channel No.3")));
        QVERIFY(!second.contains(QStringLiteral("Channel No.2")));
        // The receive-only channel prints its six rows with an empty TX value.
        QVERIFY(
            second.contains(QRegularExpression(QStringLiteral("RX Frequency\\s+452.50000\\s+TX Frequency\\s*\\n"))));
        QCOMPARE(second.count(QStringLiteral("Busy Lock")), 2);
        QVERIFY(second.contains(QRegularExpression(QStringLiteral("\\n\\s*2\\s*\\n"))));
    }

    void emptyImage()
    {
        FakeHost host;
        const QString pdf = m_dir.filePath(QStringLiteral("empty.pdf"));
        QVERIFY(PrintToPdf(host, pdf, PrintTime));
        QCOMPARE(pageCount(pdf), 2);
        const QString second = pdfText(pdf, 2);
        QVERIFY(second.contains(QStringLiteral("Channel Information")));
        QVERIFY(!second.contains(QStringLiteral("RX Frequency")));
    }

    void twiceTheSame()
    {
        FakeHost host;
        program(host);
        const QString a = m_dir.filePath(QStringLiteral("a.pdf"));
        const QString b = m_dir.filePath(QStringLiteral("b.pdf"));
        QVERIFY(PrintToPdf(host, a, PrintTime));
        QVERIFY(PrintToPdf(host, b, PrintTime));
        QCOMPARE(pdfText(b), pdfText(a));
        // Windows made for the printout do not stay.
        QCOMPARE(host.destroyed.size(), 10);
    }

    // An open window is used as it is and stays open, reloaded from the image;
    // the others are made for the printout and removed.
    void openWindowReloaded()
    {
        struct Host : FakeHost {
            QWidget *open = nullptr;
            QWidget *FindEditor(int tag) override { return tag == 14 ? open : nullptr; }
        } host;
        TfOptFun opt(host);
        host.open = &opt;
        opt.show();
        host.data.All.RadioImage[321] = 2; // squelch changed behind the window's back
        const PrintData data = CollectPrintData(host);
        QCOMPARE(qobject_cast<QComboBox *>(opt.Control("cbSQvelch"))->currentText(), QStringLiteral("2"));
        QVERIFY(opt.isVisible());
        QVERIFY(!host.destroyed.contains(&opt));
        QCOMPARE(host.destroyed.size(), 4);
        QStringList squelch;
        for (const PrintDetail &d : data.Rows)
            if (d.AField == QLatin1String("Squelch level"))
                squelch << d.AValue;
        QCOMPARE(squelch, QStringList { QStringLiteral("2") });
        QVERIFY(!host.data.All.Modified);
    }

    // A page range chosen in the print dialog prints those pages only, with
    // the page numbers they have in the whole printout.
    void pageRange()
    {
        FakeHost host;
        program(host);
        const QString pdf = m_dir.filePath(QStringLiteral("range.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        QVERIFY(RenderReport(CollectPrintData(host), printer, PrintTime));
        QCOMPARE(pageCount(pdf), 1);
        const QString page = pdfText(pdf);
        QVERIFY(page.contains(QStringLiteral("Model Type"))); // the page header
        QVERIFY(page.contains(QStringLiteral("Channel No.1")));
        QVERIFY(!page.contains(QStringLiteral("Key Function")));
        QVERIFY(page.contains(QRegularExpression(QStringLiteral("\\n\\s*2\\s*\\n"))));
    }

    // The preview command: two pages, page navigation and an export action,
    // with the windows made for the printout already gone.
    void preview()
    {
        FakeHost host;
        program(host);
        int pages = -1;
        bool exportAction = false;
        qsizetype destroyedWhileOpen = -1;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto *view = dialog->findChild<QPrintPreviewWidget *>();
            QTRY_VERIFY(view && view->pageCount() > 0);
            pages = view->pageCount();
            view->setCurrentPage(2);
            exportAction = dialog->findChild<QAction *>(QStringLiteral("ExportPdf")) != nullptr;
            destroyedWhileOpen = host.destroyed.size();
            dialog->reject();
        });
        PrintConfiguration(host, nullptr, PrintMode::Preview);
        QCOMPARE(pages, 2);
        QVERIFY(exportAction);
        QCOMPARE(destroyedWhileOpen, 5);
        QVERIFY(host.prompter.shown.isEmpty());
    }

    // A file that cannot be written is reported, not passed off as printed.
    void unwritable_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("a folder") << m_dir.path();
        QTest::newRow("no such folder") << m_dir.filePath(QStringLiteral("missing/out.pdf"));
    }
    void unwritable()
    {
        QFETCH(QString, path);
        FakeHost host;
        QString error;
        QVERIFY(!PrintToPdf(host, path, PrintTime, &error));
        QVERIFY2(error.contains(QStringLiteral("could not be written")), qPrintable(error));
        QVERIFY(!QFileInfo(path).isFile());
    }

    // A chosen printer that cannot be painted on (here a print file in a
    // missing folder) is reported, not passed off as printed.
    void printerRefused()
    {
        FakeHost host;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = m_dir.filePath(QStringLiteral("missing/out.pdf"));
        printer.setOutputFileName(path);
        QVERIFY(!PrintOnPrinter(host, CollectPrintData(host), printer, PrintTime));
        QCOMPARE(host.prompter.shown.size(), 1);
        QCOMPARE(host.prompter.shown.first().caption, QStringLiteral("Confirmation"));
        QVERIFY(host.prompter.shown.first().text.contains(QDir::toNativeSeparators(path)));

        host.prompter.clear();
        const QString ok = m_dir.filePath(QStringLiteral("printed.pdf"));
        printer.setOutputFileName(ok);
        QVERIFY(PrintOnPrinter(host, CollectPrintData(host), printer, PrintTime));
        QVERIFY(host.prompter.shown.isEmpty());
        QCOMPARE(pageCount(ok), 2);
    }

    void translated()
    {
        FakeHost host(0xF4, QStringLiteral(LANG_DIR));
        host.data.All.LanguageIndex = 1;
        host.data.All.LanguageName = QStringLiteral("Chinese");
        host.data.Texts.LoadTexts(host.data.All.AppFolder, host.data.All.LanguageName);
        program(host);
        const QString pdf = m_dir.filePath(QStringLiteral("chinese.pdf"));
        QVERIFY(PrintToPdf(host, pdf, PrintTime));
        const QString text = pdfText(pdf);
        QVERIFY2(!text.contains(QStringLiteral("Key Function")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("RX Frequency")));
        QVERIFY(text.contains(QStringLiteral("451.12500")));
        // Captions, values and headings from the shipped Chinese file.
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("机型\\s+TL-5960s\\(UHF\\)"))));
        QVERIFY(text.contains(QStringLiteral("按键功能")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("侧键\\s+监听"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("声控功能\\s+开启"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("尾音消除\\s+类型1"))));
        QVERIFY(text.contains(QStringLiteral("信道信息")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("接收频率\\s+451.12500"))));
        // The headings are the translated window captions.
        PrintData data = CollectPrintData(host);
        QVERIFY(!data.Rows.isEmpty());
        QVERIFY(text.contains(data.Rows.first().TypeName));
        QVERIFY(text.contains(data.Rows.last().TypeName));
        QVERIFY(data.Rows.last().TypeName != QStringLiteral("Channel Information"));
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
