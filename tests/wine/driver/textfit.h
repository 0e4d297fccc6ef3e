// The request that tarvdriver sends to a window for textfit.dll: the
// registered message below, with a request number as its wParam. The report
// goes to the file that ReportPath names for that number (pointers cannot
// travel with a message to another process).
#pragma once

#include <windows.h>

#include <string>

inline UINT TextFitRequestMessage() { return RegisterWindowMessageA("TarvTextFitRequest"); }

inline std::string TextFitPath(WPARAM request, const char* extension) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof(folder), folder);
  return std::string(folder) + "textfit-" + std::to_string(static_cast<unsigned long long>(request)) +
         extension;
}
inline std::string TextFitReportPath(WPARAM request) { return TextFitPath(request, ".txt"); }
/// Lines "ID TEXT": further texts to measure in control ID.
inline std::string TextFitOtherTextsPath(WPARAM request) { return TextFitPath(request, ".in"); }
