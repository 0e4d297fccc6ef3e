// The native program has only the console interface.
#include "editor/ConsoleEditorWindows.h"

IEditorWindows& EditorWindows() { return ConsoleEditorWindows(); }
