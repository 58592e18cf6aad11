#pragma once
// The model dialog: the user picks a model and one of its bands.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class TALL;

// Modal "Model Information" dialog. Confirmed is true only after Ok; the
// caller reads the chosen texts before it discards the dialog.
class TfModel : public QDialog
{
    Q_OBJECT
public:
    explicit TfModel(const TALL &all, QWidget *parent = nullptr);

    bool Confirmed = false;
    QString ModelText() const;
    QString BandText() const;

    // Fills and preselects the boxes; runs on every showing.
    void FormShow();
    void cbCopmutChange();

    QLabel *Label1, *Label2;
    QComboBox *cbCopmut, *cbPd;
    QPushButton *btnOk, *btnCancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const TALL &m_all;
};
