#pragma once
// The channel edit form: one channel at a time, one control per setting.

#include "app/EditorWindow.h"

#include <QWidget>

class EditorHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

class TfBInfoEdit : public QWidget, public EditorWindow
{
    Q_OBJECT
public:
    explicit TfBInfoEdit(EditorHost &host, QWidget *parent = nullptr);
    ~TfBInfoEdit() override;

    // EditorWindow
    void RefreshFromImage() override { LoadFromImage(); }
    void ShowCurrentChannel() override { LoadFromImage(); }

    void LoadFromImage();
    void StoreToImage();
    void EnableChannelControls(bool on);
    void ClearChannelControls();

    QLabel *Label1, *Label2, *Label3, *Label6, *Label7, *Label10, *Label11;
    QSpinBox *sexd;
    QTabWidget *cxChInfo;
    QWidget *cxtbBase;
    QLineEdit *eRx, *eTX;
    QComboBox *cbQT, *cbDQT, *cbkz, *cbfsgl;
    QCheckBox *chsmtj, *chfm, *chCp, *chSr, *chWp;
    QPushButton *btnClose;
    bool Loading = false;

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void eReceivePropertiesEditValueChanged();
    void eSendPropertiesEditValueChanged();
    void toneBoxCommitted(QComboBox *box);
    void toneBoxDblClick(QComboBox *box);
    void sexdChange(int value);
    // The value a frequency field takes, after the range rule and the raster.
    QString checkedFrequency(double v);

    EditorHost &m_host;
    bool m_txGuard = false;
    bool m_rxGuard = false;
    bool m_placed = false;
    QString m_committed[2]; // last text each tone box stored, so a value is stored once
};
