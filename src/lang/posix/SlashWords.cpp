#include "lang/SlashWords.h"

// Paths are written with slashes here.
bool GluedSlashIsPathError() { return true; }
