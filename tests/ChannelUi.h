#pragma once
// What a user does to the channel windows: clicks, typing, lists, the tone picker.

#include "editors/ChInfo.h"
#include "editors/ToneOption.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace ui
{

// Shows a window and waits until it takes the keyboard, as a user sees it.
inline bool showActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

inline QPoint cellCentre(QTableWidget *grid, int row, int column)
{
    return grid->visualRect(grid->model()->index(row, column)).center();
}

// A mouse click on a grid cell (channel row, window column 1..11).
inline void clickCell(TfChInfo &w, int channel, int column)
{
    QTest::mouseClick(w.gvData->viewport(), Qt::LeftButton, {}, cellCentre(w.gvData, channel - 1, column - 1));
    QCoreApplication::processEvents();
}

// The open in-place editor of the grid (closed ones linger hidden until deleted).
inline QLineEdit *cellEditor(TfChInfo &w)
{
    for (QLineEdit *e : w.gvData->viewport()->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly))
        if (e->isVisible())
            return e;
    return nullptr;
}

// Clicks a frequency cell, types over its text and presses Enter; an empty
// text deletes the cell's text.
inline void typeIntoCell(TfChInfo &w, int channel, int column, const QString &text)
{
    clickCell(w, channel, column);
    QLineEdit *e = cellEditor(w);
    QVERIFY2(e, "the cell opened no editor");
    if (text.isEmpty())
        QTest::keyClick(e, Qt::Key_Delete);
    else
        QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits an Enter through its event queue
}

// Types into an editable box over its (selected) text; an empty text deletes it.
inline void typeIntoBox(QComboBox *box, const QString &text)
{
    if (text.isEmpty())
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    else
        QTest::keyClicks(box->lineEdit(), text);
}

// Clicks into a form field (or a box's line) and selects its text: the field
// does that itself when it takes the focus; a field that had it already takes Ctrl+A.
inline void clickField(QLineEdit *e)
{
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(4, e->height() / 2));
    QCoreApplication::processEvents();
    if (e->selectedText() != e->text())
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
}

// Clicks a form field, types over its text and presses Enter.
inline void enterField(QLineEdit *e, const QString &text)
{
    clickField(e);
    if (text.isEmpty())
        QTest::keyClick(e, Qt::Key_Delete);
    else
        QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Opens a box's drop-down list with a click on its arrow and clicks an entry.
inline void pickFromList(QComboBox *box, int index)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect arrow = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, arrow.center());
    QAbstractItemView *list = box->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex entry = list->model()->index(index, 0);
    list->scrollTo(entry);
    // The entry's row, in the middle of the list's width (entries can be wider than a narrow box).
    const QPoint at(list->viewport()->width() / 2, list->visualRect(entry).center().y());
    // The list takes no release this soon after the press that opened it.
    QTest::mouseMove(list->viewport(), at);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!list->isVisible());
}

// A double click as the mouse makes it: a click, then the second press.
inline void doubleClick(QWidget *w, QPoint at)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
}

// Runs `choose` on the tone picker as soon as it is shown modally; `opened`
// tells afterwards whether it was.
inline void whenPickerOpens(std::function<void(TfToneOption &)> choose, bool *opened)
{
    *opened = false;
    QTimer::singleShot(0, [choose, opened] {
        if (auto *picker = qobject_cast<TfToneOption *>(QApplication::activeModalWidget())) {
            *opened = true;
            choose(*picker);
            if (picker->isVisible())
                picker->reject(); // a choice that did not close it: the close box
        }
    });
}

// A double click on a picker cell, after choosing its table with the radio button.
inline void doubleClickTone(TfToneOption &p, QRadioButton *table, int row, int column)
{
    QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(6, table->height() / 2));
    QTableWidget *grid = table == p.rCTCSS ? p.gvCtcss : table == p.rDCSN ? p.gvDcsN : p.gvDcsI;
    doubleClick(grid->viewport(), cellCentre(grid, row, column));
}

} // namespace ui
