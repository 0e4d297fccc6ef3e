// The POSIX program carries no version resource: the About texts stay as
// designed.
#include "editor/VersionResource.h"

std::unique_ptr<IVersionStrings> OwnVersionStrings() { return nullptr; }
