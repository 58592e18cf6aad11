#pragma once
// The two tables a printout is made from: one header row and the detail rows.

#include <QList>
#include <QString>

struct PrintHeader {
    QString Title, AField, AValue, BField, BValue, CField, CValue, DFiled, DValue;
};

struct PrintDetail {
    int TypeID = 0; // 9: key, VOX and optional function rows; 8: channel rows
    QString TypeName, AField, AValue, BField, BValue;
};

struct PrintData {
    PrintHeader Header;
    QList<PrintDetail> Rows;
};
