#include "app/EditorWindow.h"

EditorWindow::~EditorWindow() = default;
