// Saves pictures of the main window and the shell's dialogs, for a look
// under Xvfb: shell_screens <program folder> <language index> <out folder>.

#include "app/DataModule.h"
#include "app/FrmAbout.h"
#include "app/MainFrm.h"
#include "app/ScriptedPrompter.h"
#include "i18n/SetLanguage.h"
#include "link/SetPort.h"
#include "link/TransferDialogs.h"
#include "i18n/Settings.h"
#include "models/Model.h"

#include <QApplication>
#include <QDir>
#include <QProgressBar>
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
