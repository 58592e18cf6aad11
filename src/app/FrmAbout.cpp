#include "app/FrmAbout.h"
#include "i18n/TranslateForm.h"
#include "image/AllClass.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>

namespace
{

QLabel *makeLabel(QWidget *parent, const char *name, const char *design, int x, int y, int width)
{
    auto *l = new QLabel(QString::fromLatin1(design), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, width, 18);
    return l;
}

} // namespace

TfFrmAbout::TfFrmAbout(const TALL &all, QWidget *parent)
    : QDialog(parent)
    , m_all(all)
{
    setObjectName("fFrmAbout");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    QFont f;
    f.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Sans Serif") });
    f.setPixelSize(13);
    setFont(f);
    setFixedSize(408, 269);

    ImApp = new QLabel(this);
    ImApp->setObjectName("ImApp");
    ImApp->setGeometry(16, 16, 32, 32);

    // Six lines in one column right of the icon, 22 pixels apart.
    const int x = 64, width = 408 - x - 12;
    Label1 = makeLabel(this, "Label1", "1", x, 16, width);
    Label2 = makeLabel(this, "Label2", "2", x, 38, width);
    Label3 = makeLabel(this, "Label3", "3", x, 60, width);
    Label8 = makeLabel(this, "Label8", "4", x, 82, width);
    Label4 = makeLabel(this, "Label4", "5", x, 104, width);
    Label9 = makeLabel(this, "Label9", "6", x, 126, width);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 400, 200, 60); // outside the visible area
    Panel1->hide();
    Label5 = makeLabel(Panel1, "Label5", "7", 0, 0, 200);
    Label6 = makeLabel(Panel1, "Label6", "8", 0, 20, 200);
    Label7 = makeLabel(Panel1, "Label7", "9", 0, 40, 200);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setGeometry(12, 156, 408 - 24, 269 - 156 - 12);

    for (QLabel *l : { ImApp, Label1, Label2, Label3, Label8, Label4, Label9, Label5, Label6, Label7 })
        l->installEventFilter(this);
    Panel1->installEventFilter(this);
}

void TfFrmAbout::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfFrmAbout::FormShow()
{
    ImApp->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    TranslateForm(this, m_all.AppFolder, m_all.LanguageName, false);
    setWindowTitle(m_all.ProductName);
    Memo1->clear();
    Memo1->setPlainText(QStringList { Label5->text(), Label6->text(), QString(), Label7->text() }.join('\n'));
}

void TfFrmAbout::mousePressEvent(QMouseEvent *event)
{
    (void)event;
    close();
}

bool TfFrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
