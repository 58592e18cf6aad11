#pragma once
// Where the main window gets its editor windows and modal dialogs by command tag.

class EditorHost;
class QWidget;

// Creates the editor window (an MDI child widget that also is an EditorWindow)
// of tags 10 to 16; nullptr for a tag without a window.
QWidget *CreateEditor(int tag, EditorHost &host, QWidget *parent);

// Runs the modal dialog of tags 17, 18, 20, 21 and 31. Returns true when the
// dialog reports completion (a finished read for tag 20).
bool RunModalCommand(int tag, EditorHost &host, QWidget *parent);
