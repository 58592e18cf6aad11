// Saves pictures of the option, key, VOX, radio information and password
// windows inside the main window, the two hidden dialogs and the print
// preview as the print command shows it, for a look under Xvfb:
// opts_screens <program folder> <language index> <out folder>.

#include "app/DataModule.h"
#include "app/MainFrm.h"
#include "app/Print.h"
#include "app/ScriptedPrompter.h"
#include "i18n/Settings.h"
#include "image/ChannelEntry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTableWidget>
#include <QTimer>

namespace
{

void settle()
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
}

void save(QWidget *w, const QString &file)
{
    settle();
    w->grab().save(file);
}

// Runs a command that opens a modal dialog; the dialog is pictured and then
// handed to `act`, which closes it.
void withModal(TfMainFrm &main, int tag, const std::function<void(QWidget *)> &act)
{
    QTimer::singleShot(300, [&act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal)
            act(modal);
    });
    main.RunCommand(tag);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    DataModule data(QString::fromLocal8Bit(argv[1]) + '/');
    data.LoadSettingsAndTexts();
    data.All.LanguageIndex = QString(argv[2]).toInt();
    QStringList display, files;
    ReadLanguageList(data.All, display, files);
    data.All.LanguageName = files.value(data.All.LanguageIndex);
    data.Texts.LoadTexts(data.All.AppFolder, data.All.LanguageName);
    const QString out = QString::fromLocal8Bit(argv[3]) + '/';
    QDir().mkpath(out);
    const QString lang = data.All.LanguageName;

    ScriptedPrompter prompter;
    TfMainFrm main(data, &prompter);
    main.resize(1100, 800);
    main.show();
    settle();
    ApplyChannelEntry(data.All, data.Texts, prompter, 1, GridColumn::Rx, QStringLiteral("451.125"));
    ApplyChannelEntry(data.All, data.Texts, prompter, 3, GridColumn::Rx, QStringLiteral("452.5"));
    ApplyChannelEntry(data.All, data.Texts, prompter, 3, GridColumn::Tx, QString());
    data.All.RadioImage[307] = 1;
    main.NotifyImageChanged(1);

    // Each window alone over the grid, in its frame.
    for (int tag : { 12, 13, 14, 15, 16 }) {
        main.RunCommand(tag);
        save(&main, out + QStringLiteral("main_%1_%2.png").arg(tag).arg(lang));
        if (QWidget *w = main.FindEditor(tag))
            save(w, out + QStringLiteral("window_%1_%2.png").arg(tag).arg(lang));
        if (QWidget *w = main.FindEditor(tag))
            for (QWidget *p = w; p; p = p->parentWidget())
                if (auto *sub = qobject_cast<QMdiSubWindow *>(p)) {
                    save(sub, out + QStringLiteral("frame_%1_%2.png").arg(tag).arg(lang));
                    sub->close();
                    break;
                }
    }

    withModal(main, 17, [&](QWidget *d) {
        auto *grid = d->findChild<QTableWidget *>(QStringLiteral("gvData"));
        grid->item(0, 1)->setText(QStringLiteral("460.0125"));
        save(d, out + QStringLiteral("testfreq_%1.png").arg(lang));
        static_cast<QDialog *>(d)->reject();
    });
    withModal(main, 18, [&](QWidget *d) {
        save(d, out + QStringLiteral("message_%1.png").arg(lang));
        static_cast<QDialog *>(d)->reject();
    });

    // The preview as the print command opens it, on both pages.
    main.RunCommand(14); // one window open during the printout stays open
    withModal(main, 6, [&](QWidget *d) {
        d->resize(1000, 800);
        auto *view = d->findChild<QPrintPreviewWidget *>();
        view->fitInView();
        save(d, out + QStringLiteral("preview1_%1.png").arg(lang));
        view->setCurrentPage(2);
        save(d, out + QStringLiteral("preview2_%1.png").arg(lang));
        static_cast<QDialog *>(d)->reject();
    });
    save(&main, out + QStringLiteral("after_print_%1.png").arg(lang));
    return 0;
}
