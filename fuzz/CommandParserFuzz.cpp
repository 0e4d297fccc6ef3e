// Fuzz target: any bytes parsed as a command file. A parse error (a script
// error) is an expected outcome; anything else escaping is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ParserFuzzSupport.h"
#include "lang/TarvYacc.h"
#include "util/TarvCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TSilentUI ui;
  // The first byte picks the source name, which selects the rest-of-line mode.
  static const char* const kNames[] = {"job.qd", "ARGS", "COMMAND"};
  const char* name = kNames[size > 0 ? data[0] % 3 : 0];
  TTextStream input(std::string(reinterpret_cast<const char*>(data), size));
  try {
    TTarvYacc parser;
    const TScript list = parser.Parse(input, name);
    for (const Tcmdrec& cmd : list.Commands()) (void)cmd.CommandText(0);
  } catch (const EScriptError&) {
  }
  return 0;
}
