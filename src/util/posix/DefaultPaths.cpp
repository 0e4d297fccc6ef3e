#include "util/TarvCommon.h"

const char* const kDefaultDebugTraceFile = "/tmp/tarvdebug.log";
