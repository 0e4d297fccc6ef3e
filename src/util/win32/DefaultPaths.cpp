#include "util/TarvCommon.h"

const char* const kDefaultDebugTraceFile = "c:\\tmp\\tarvdebug.log";
