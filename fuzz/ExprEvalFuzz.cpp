// Fuzz target: any bytes evaluated as an expression. Script errors and the
// conversion and overflow errors of the arithmetic are expected outcomes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ParserFuzzSupport.h"
#include "expr/TarvExpr.h"
#include "util/TarvCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TSilentUI ui;
  try {
    (void)EvaluateExpression(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const EScriptError&) {
  } catch (const EConvertError&) {
  } catch (const EIntOverflow&) {
  }
  return 0;
}
