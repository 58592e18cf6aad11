// TL-5960s programming software: start-up.

#include "app/DataModule.h"
#include "app/MainFrm.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tl5960s")); // names the user's settings folder
    QApplication::setApplicationDisplayName(QStringLiteral("TL-5960s"));
    QApplication::setDesktopFileName(QStringLiteral("tl5960s"));

    DataModule data(QApplication::applicationDirPath() + QLatin1Char('/'));
    data.LoadSettingsAndTexts();

    TfMainFrm window(data);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tl5960s.svg")));
    window.showMaximized();
    return app.exec();
}
