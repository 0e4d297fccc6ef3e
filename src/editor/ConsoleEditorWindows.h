// The editor's windows on a console: the lists are printed, the editor is
// refused. The native program always uses them; the Windows program uses them
// with the console interface (TARV_UI=console).
#pragma once

#include "exec/EditorWindows.h"

IEditorWindows& ConsoleEditorWindows();
