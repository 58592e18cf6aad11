#include "app/EditorHost.h"

EditorHost::~EditorHost() = default;
