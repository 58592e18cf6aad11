#pragma once
// The radio-wide option controls: which image byte each one edits and how.
// The option windows and the command-line tool are both built on this table.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct OptionControl {
    enum Kind { Combo, Check, CheckBit0 };
    const char *form; // form name of the window, e.g. "fOptFun"
    const char *control; // component name, e.g. "cbSQvelch"
    const char *labelName; // name of its label, empty for a check box
    const char *label; // caption of its label or check box
    Kind kind;
    int offset; // image offset, -1 when bound to nothing
    QStringList entries; // combo entries, index = byte
    int initialIndex; // entry shown before the image is loaded
    bool hidden;
    int tag; // translation tag: 0, -2 or -3
};

// Every option control in the windows' load order, hidden and unbound ones included.
const std::vector<OptionControl> &OptionControls();
const OptionControl *FindOptionControl(const char *control);

// Index a combo box shows for a byte: the byte when it is in the list, else the
// selection it already had (the initial entry for a new window).
int OptionShownIndex(const OptionControl &c, uint8_t byte, int currentIndex);
// Whether a check box shows checked for a byte.
bool OptionShownChecked(const OptionControl &c, uint8_t byte);
// The value as the window shows it, in English.
QString OptionValueText(const OptionControl &c, uint8_t byte);
