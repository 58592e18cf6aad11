#pragma once
// The channel information grid: every channel as a row, edited in place.

#include "app/EditorWindow.h"

#include <QWidget>

class EditorHost;
class QComboBox;
class QLabel;
class QListWidget;
class QTableWidget;
class QTableWidgetItem;
class FrequencyDelegate;

class TfChInfo : public QWidget, public EditorWindow
{
    Q_OBJECT
public:
    // Columns as the windows and language files count them (1 = channel number).
    enum Column {
        ColNo = 1,
        ColRx,
        ColTx,
        ColDec,
        ColEnc,
        ColPower,
        ColWn,
        ColScan,
        ColCompander,
        ColScrambler,
        ColBusy
    };

    explicit TfChInfo(EditorHost &host, QWidget *parent = nullptr);
    ~TfChInfo() override;

    QTableWidget *gvData;
    QListWidget *BColText;
    QLabel *lNone;
    QComboBox *cbQT, *cbDQT, *cbfsgl, *cbkz, *cbHave;

    // EditorWindow
    void RefreshFromImage() override { FillAllRows(); }
    void FillRow(int channel) override;
    void EndEditing() override;
    void AddPrintRows(PrintData &data) override;

    void FillAllRows();
    // The cell at a window column (1..11) of a channel row (1..16).
    QTableWidgetItem *Cell(int channel, int column) const;
    QString DisplayText(int channel, int column) const;
    QString ValueText(int channel, int column) const;
    // The in-cell box of the current cell, when one is shown.
    QComboBox *ShownBox() const;
    // A committed frequency text of an RX or TX cell (the in-place editor's commit).
    void gvDataSetForeText(int channel, int column, const QString &text);
    // Selects a cell as a click would.
    void SelectCell(int channel, int column);

    QSize sizeHint() const override { return m_size; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildColumns();
    void BuildRows();
    void StoreCell(int channel, int column);
    void NewChannel(int channel);
    void DeleteChannel(int channel);
    void ShowCellBox();
    void HideBoxes();
    void ComBoxSetData(QComboBox *box);
    void ComBoxDblClick(QComboBox *box);
    void gvDataSelectCell(int channel, int column);
    void setTexts(int channel, int column, const QString &display, const QString &value);
    void setTxEditable(int channel, bool editable);
    bool isChannel(int channel) const;
    QComboBox *boxFor(int column) const;

    EditorHost &m_host;
    FrequencyDelegate *m_delegate;
    int m_row = 1; // current channel
    int m_column = 1; // current window column
    bool m_placed = false;
    QSize m_size { 800, 349 };
    QString m_committed; // the last value a box committed, so a value is stored once
};
