// Generated from docs/tarv32.1.md by tools/make-manpage.py; do not edit.
#include "run/UsageText.h"

const char* const kUsageSummary =
    "Tarv32 runs command scripts: it starts programs, waits for them, branches\n"
    "and loops on their exit status, and waits for, activates, types into and\n"
    "closes windows.\n";

const TUsageForm kUsageForms[] = {
    {"", "opens the command-file editor"},
    {"FILE.qd", "runs the command file"},
    {"COMMAND [ARGUMENT...]", "runs the command text (quote a name with a slash or a hyphen)"},
    {"{ COMMAND ... }", "runs a brace block of commands"},
    {"--help | -h", "prints this usage and exits"},
    {"--version", "prints the version and exits"},
};
const size_t kUsageFormCount = 6;

const char* const kUserGuidePath = "/usr/share/doc/tarv32/user-guide.html";
