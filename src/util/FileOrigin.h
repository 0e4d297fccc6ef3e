// Where a file came from, as the mark that browsers and mail programs leave
// on what they download tells: on Windows the zone of the file's
// Zone.Identifier stream (read by the system's own zone reader where it is
// there, so that the system's handling of the mark applies), on Linux the
// origin address that browsers put into the file's extended attributes.
#pragma once

#include <string>

enum class TFileOrigin {
  Local,      // made here, or no mark
  Internet,   // downloaded from the Internet zone
  Untrusted,  // downloaded from a site of the restricted zone
};

TFileOrigin FileOrigin(const std::string& path);
