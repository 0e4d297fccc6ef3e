#include "lang/SlashWords.h"

// Paths are written with backslashes here; a glued slash starts a new word.
bool GluedSlashIsPathError() { return false; }
