// Saves pictures of the main window and the shell's dialogs, for a look
// under Xvfb: shell_screens <program folder> <language index> <out folder>.

#include "app/DataModule.h"
#include "app/FrmAbout.h"
#include "app/MainFrm.h"
#include "app/ScriptedPrompter.h"
#include "i18n/SetLanguage.h"
#include "app/EditorFactories.h"
#include "app/PrintData.h"
#include "app/Report.h"
#include "editors/BInfoEdit.h"
#include "editors/ChInfo.h"
#include "editors/InfoMsg.h"
#include "editors/OptFun.h"
#include "editors/TestFrequency.h"
#include "editors/ToneOption.h"
#include "image/ChannelEntry.h"
#include "link/SetPort.h"
#include "link/TransferDialogs.h"
#include "i18n/Settings.h"
#include "models/Model.h"

#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

static void save(QWidget *w, const QString &file)
{
    QApplication::processEvents();
    w->grab().save(file);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    QApplication::setWindowIcon(QIcon(":/images/tl5960s.svg"));
    DataModule data(QString::fromLocal8Bit(argv[1]) + '/');
    data.LoadSettingsAndTexts();
    data.All.LanguageIndex = QString(argv[2]).toInt();
    QStringList display, files;
    ReadLanguageList(data.All, display, files);
    data.All.LanguageName = files.value(data.All.LanguageIndex);
    data.Texts.LoadTexts(data.All.AppFolder, data.All.LanguageName);
    const QString out = QString::fromLocal8Bit(argv[3]) + '/';
    QDir().mkpath(out);
    const QString tag = data.All.LanguageName;

    ScriptedPrompter prompter;
    TfMainFrm main(data, &prompter);
    main.showMaximized();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    main.cxTL5960->setCurrentItem(main.ChannelItem(3));
    save(&main, out + "main_" + tag + ".png");

    // A few channels, then the editors over them.
    const char *channels[][3] = {{"1", "451.125", "88.5"}, {"2", "452.5", "D023N"}, {"5", "455.0125", ""}};
    for (const auto &c : channels) {
        const int n = QString(c[0]).toInt();
        ApplyChannelEntry(data.All, data.Texts, prompter, n, GridColumn::Rx, c[1]);
        if (*c[2])
            ApplyChannelEntry(data.All, data.Texts, prompter, n, GridColumn::DecTone, c[2]);
    }
    ApplyChannelEntry(data.All, data.Texts, prompter, 5, GridColumn::Tx, QString());
    main.NotifyImageChanged(1);
    auto *grid = qobject_cast<TfChInfo *>(main.FindEditor(10));
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    save(&main, out + "grid_main_" + tag + ".png");
    grid->SelectCell(2, TfChInfo::ColWn);
    grid->ShownBox()->showPopup();
    save(grid, out + "grid_box_" + tag + ".png");
    grid->EndEditing();
    data.All.CurrentChannel = 2;
    main.RunCommand(11);
    save(main.FindEditor(11), out + "form_" + tag + ".png");
    for (int t : {12, 13, 14, 15, 16}) {
        main.RunCommand(t);
        save(main.FindEditor(t), out + QString("editor%1_").arg(t) + tag + ".png");
    }
    TfToneOption picker(data.All, &main);
    picker.show();
    save(&picker, out + "picker_ctcss_" + tag + ".png");
    picker.rDCSN->click();
    save(&picker, out + "picker_dcsn_" + tag + ".png");
    picker.rDCSI->click();
    save(&picker, out + "picker_dcsi_" + tag + ".png");
    TfTestFrequency test(data, prompter, &main);
    test.show();
    save(&test, out + "testfreq_" + tag + ".png");
    TfEmbeddedMessage message(data, &main);
    message.show();
    save(&message, out + "message_" + tag + ".png");

    PrintData rows;
    for (int t : {15, 12, 13, 14, 10})
        dynamic_cast<EditorWindow *>(main.FindEditor(t) ? main.FindEditor(t) : grid)->AddPrintRows(rows);
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, &main);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&](QPrinter *p) {
        RenderReport(rows, *p, QDateTime::currentDateTime());
    });
    preview.resize(900, 700);
    preview.show();
    save(&preview, out + "preview_" + tag + ".png");
    preview.hide();

    TfModel model(data.All, &main);
    model.show();
    save(&model, out + "model_" + tag + ".png");
    TfSetLanguage language(data.All, &main);
    language.show();
    save(&language, out + "language_" + tag + ".png");
    TfFrmAbout about(data.All, &main);
    about.show();
    save(&about, out + "about_" + tag + ".png");

    data.All.PortName = QStringLiteral("COM4");
    const QStringList devices{"/dev/ttyUSB0", "/dev/ttyUSB3", "/dev/ttyS0"};
    TfSetPort port(data.All, &main, &devices);
    port.show();
    save(&port, out + "port_" + tag + ".png");
    data.All.PortName = QStringLiteral("/dev/null");
    TfReadRadio read(data, prompter, &main);
    read.show();
    read.pBar->setValue(17);
    save(&read, out + "read_" + tag + ".png");
    TfWriteRadio write(data, prompter, &main);
    write.show();
    write.pBar->setValue(30);
    save(&write, out + "write_" + tag + ".png");
    return 0;
}
