#include "sys/SystemServices.h"

#include <optional>

namespace {

std::optional<TSystemServices> installed;

}  // namespace

const TSystemServices& SystemServices() {
  if (!installed) installed = PlatformSystemServices();
  return *installed;
}

TSystemServices SetSystemServices(const TSystemServices& services) {
  TSystemServices previous = SystemServices();
  installed = services;
  return previous;
}
