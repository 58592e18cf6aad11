// TEMPORARY placeholder so the program links before printing exists.
// The printing code replaces this file (delete it and its CMake line).
#include "app/Print.h"

void PrintConfiguration(EditorHost &, QWidget *, int) { }
