#include "util/FileOrigin.h"

#include <sys/xattr.h>

TFileOrigin FileOrigin(const std::string& path) {
  // Set by the common browsers on each download (the freedesktop.org name).
  const ssize_t length = ::getxattr(path.c_str(), "user.xdg.origin.url", nullptr, 0);
  return length > 0 ? TFileOrigin::Internet : TFileOrigin::Local;
}
