#pragma once
// The editable tone box of the grid and the channel edit form.

class QComboBox;
class QKeyEvent;
class QWidget;

// "None" and the 205 tones; typed characters limited to digits, "." and D/I/N
// in either case; no completion, so what is typed is what is normalised.
QComboBox *MakeToneBox(QWidget *parent, const char *name);

// Whether a key may reach a tone box: editing keys, or a character of the tone alphabet.
bool IsToneKey(const QKeyEvent *key);
