#pragma once
// The print command of the main window.

class EditorHost;
class QWidget;

namespace PrintMode
{
constexpr int Print = 0;
constexpr int Preview = 1;
} // namespace PrintMode

// Prints (mode 0) or previews (mode 1) the configuration from the open editor
// windows and the image.
void PrintConfiguration(EditorHost &host, QWidget *mainWindow, int mode);
