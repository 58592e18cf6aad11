#pragma once
// The editable tone box of the grid and the channel edit form.

class QComboBox;
class QWidget;

// "None" and the 205 tones; typing limited to digits, "." and D/I/N in either
// case; no completion, so what is typed is what is normalised.
QComboBox *MakeToneBox(QWidget *parent, const char *name);
