#pragma once
// The about box: every text line comes from the language file.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class TALL;

// Modal about box with the application icon and six text lines, and a memo
// assembled from three hidden labels. Any mouse press on it closes it.
class TfFrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfFrmAbout(const TALL &all, QWidget *parent = nullptr);

    void FormShow();

    QLabel *ImApp;
    QLabel *Label1, *Label2, *Label3, *Label8, *Label4, *Label9;
    QWidget *Panel1;
    QLabel *Label5, *Label6, *Label7;
    QPlainTextEdit *Memo1;

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const TALL &m_all;
};
