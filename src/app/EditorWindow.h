#pragma once
// The calls the main window and the printout make on any editor window, so
// neither needs to know every window class.

struct PrintData;

class EditorWindow
{
public:
    virtual ~EditorWindow();
    // Reloads every control from the image under the loading guard.
    virtual void RefreshFromImage() { }
    // Grid: redisplay one channel row (row = channel number) from the image.
    virtual void FillRow(int /*channel*/) { }
    // Grid: end any cell editing and hide the in-cell boxes.
    virtual void EndEditing() { }
    // Channel edit form: display CurrentChannel.
    virtual void ShowCurrentChannel() { }
    // Appends this window's rows to the print tables.
    virtual void AddPrintRows(PrintData & /*data*/) { }
};
