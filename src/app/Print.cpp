#include "app/Print.h"
#include "app/DataModule.h"
#include "app/EditorFactories.h"
#include "app/EditorHost.h"
#include "app/EditorWindow.h"
#include "app/PrintData.h"
#include "app/Report.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

PrintData CollectPrintData(EditorHost &host)
{
    PrintData data;
    // Radio information, key, VOX, optional functions, channels: the printout's order.
    for (int tag : { 15, 12, 13, 14, 10 }) {
        QWidget *w = host.FindEditor(tag);
        std::unique_ptr<QWidget> made;
        if (!w) {
            made.reset(CreateEditor(tag, host, nullptr));
            if (!made)
                continue;
            // Shown off screen, so it loads and translates as it does in the window.
            made->setAttribute(Qt::WA_DontShowOnScreen);
            made->setAttribute(Qt::WA_DeleteOnClose, false);
            made->show();
            w = made.get();
        }
        if (auto *editor = dynamic_cast<EditorWindow *>(w))
            editor->AddPrintRows(data);
    }
    return data;
}

bool PrintToPdf(EditorHost &host, const QString &path, const QDateTime &now, QString *error)
{
    return WritePdf(CollectPrintData(host), path, now, error);
}

bool WritePdf(const PrintData &data, const QString &path, const QDateTime &now, QString *error)
{
    QPdfWriter pdf(path);
    pdf.setCreator(QStringLiteral("TL-5960s"));
    pdf.setTitle(data.Header.Title);
    if (RenderReport(data, pdf, now))
        return true;
    if (error) {
        // The writer gives no reason; opening the file once more names it.
        const bool existed = QFile::exists(path);
        QFile probe(path);
        const QString reason = probe.open(QIODevice::Append) ? QStringLiteral("write error") : probe.errorString();
        if (probe.isOpen() && !existed)
            probe.remove();
        *error = QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), reason);
    }
    return false;
}

bool PrintOnPrinter(EditorHost &host, const PrintData &data, QPrinter &printer, const QDateTime &now)
{
    if (RenderReport(data, printer, now))
        return true;
    // A printer or print file that cannot be opened would otherwise look like a finished printout.
    const QString where = printer.outputFileName().isEmpty() ? printer.printerName()
                                                             : QDir::toNativeSeparators(printer.outputFileName());
    host.Prompter().ShowPrompt(host.Data().Texts.Confirmation,
        QStringLiteral("The printout could not be sent to %1.").arg(where), Prompt::Info);
    return false;
}

void PrintConfiguration(EditorHost &host, QWidget *mainWindow, int mode)
{
    const PrintData data = CollectPrintData(host);
    const QDateTime now = QDateTime::currentDateTime();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    if (mode == PrintMode::Preview) {
        QPrintPreviewDialog preview(&printer, mainWindow);
        // Also the preview's own print button: a printer that fails is reported there too.
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&](QPrinter *p) { PrintOnPrinter(host, data, *p, now); });
        if (auto *bar = preview.findChild<QToolBar *>()) {
            QAction *pdf = bar->addAction(QObject::tr("Export to PDF"));
            pdf->setObjectName(QStringLiteral("ExportPdf"));
            QObject::connect(pdf, &QAction::triggered, &preview, [&] {
                QString path = QFileDialog::getSaveFileName(
                    &preview, QObject::tr("Export to PDF"), QString(), QStringLiteral("PDF (*.pdf)"));
                if (path.isEmpty())
                    return;
                // A name typed without an extension still gives a file a PDF viewer opens.
                if (QFileInfo(path).suffix().isEmpty())
                    path += QStringLiteral(".pdf");
                QString error;
                if (!WritePdf(data, path, now, &error))
                    host.Prompter().ShowPrompt(host.Data().Texts.Confirmation, error, Prompt::Info);
            });
        }
        preview.exec();
        return;
    }
    QPrintDialog dialog(&printer, mainWindow);
    if (dialog.exec() == QDialog::Accepted)
        PrintOnPrinter(host, data, printer, now);
}
