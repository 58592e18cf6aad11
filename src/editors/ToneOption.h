#pragma once
// The tone picker: CTCSS, DCS-N and DCS-I tables; a double click on a tone returns it.

#include <QDialog>

class QGroupBox;
class QListWidget;
class QRadioButton;
class QTableWidget;
class TALL;

class TfToneOption : public QDialog
{
    Q_OBJECT
public:
    explicit TfToneOption(const TALL &all, QWidget *parent = nullptr);

    // The chosen tone; empty when none was chosen.
    QString Result;

    QGroupBox *GroupBox1, *gbList;
    QRadioButton *rCTCSS, *rDCSN, *rDCSI;
    QListWidget *lbSel, *lbValue;
    QTableWidget *gvCtcss, *gvDcsN, *gvDcsI;

    // Splits "a-b-c" into its three parts; see the table formats.
    static QStringList SplitItem(const QString &item);
    // A double click on a cell: a value column returns its text and closes.
    void CellDoubleClicked(QTableWidget *grid, int row, int column);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildTables();
    void rCTCSSClick(int tag);

    const TALL &m_all;
};
