#include "sys/WinfuncsState.h"

#include "sys/Winfuncs.h"

namespace {

TWinfuncsState state;

}  // namespace

TWinfuncsState& WinfuncsState() { return state; }

void ResetWinfuncsState() { state = TWinfuncsState{}; }
