// textfit.dll: finds the texts that do not fit their controls, from inside
// the program that shows them.
//
// tarvdriver hooks TextFitHook into the thread of a window and sends the
// window its request (textfit.h). The hook then measures every visible
// static text and button caption of the window with the control's own font
// (WM_GETFONT, DrawText with DT_CALCRECT and the control's line breaking)
// against the room the control gives its text, and writes one line per text
// that does not fit, "cut ID CLASS needs WxH has WxH TEXT" (the size the
// text needs on one line, the room the control gives it), then
// "checked N", to the report file named in the request. Texts a control
// shows only at other times (captions that follow what is typed) can be
// listed in the request's file of other texts, "ID TEXT" a line; each is
// measured in that control as if it showed it.
#include "textfit.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// What a control's caption must fit in: the text area inside its borders,
// and how the control breaks the text into lines there.
struct TTextArea {
  bool measured = false;  // false: the control shows no caption text
  int width = 0, height = 0;
  UINT format = 0;  // DrawText flags of the control's own drawing
};

int DpiScaled(int pixels96) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(pixels96, dpi, 96);
}

TTextArea StaticTextArea(LONG style, const RECT& client) {
  TTextArea area{true, client.right, client.bottom, DT_EXPANDTABS};
  if (style & SS_NOPREFIX) area.format |= DT_NOPREFIX;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT: area.format |= DT_WORDBREAK; return area;  // wraps; every line must fit
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: area.format |= DT_SINGLELINE; return area;
  }
  return {};  // icons, pictures, frames and owner-drawn statics carry no caption
}

// Buttons draw their caption inside a raised edge with a focus rectangle
// around it (push buttons), right of the check box or radio circle (check
// boxes, radio buttons), or in a gap of the frame (group boxes).
TTextArea ButtonTextArea(LONG style, const RECT& client) {
  const int edge = GetSystemMetrics(SM_CXEDGE);
  const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: {
      const int inset = edge + 1;  // the raised edge and the focus rectangle inside it
      return {true, client.right - 2 * inset, client.bottom - 2 * edge, lines};
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
      const int box = DpiScaled(13) + DpiScaled(4);  // the box and the gap after it
      return {true, client.right - box - DpiScaled(1), client.bottom, lines};
    }
    case BS_GROUPBOX: return {true, client.right - 2 * DpiScaled(8), client.bottom, DT_SINGLELINE};
  }
  return {};  // owner-drawn and user buttons draw what they like
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string TextOf(HWND window) {
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

TTextArea TextAreaOf(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const std::string windowClass = ClassOf(control);
  if (windowClass == "Static") return StaticTextArea(style, client);
  if (windowClass == "Button") return ButtonTextArea(style, client);
  return {};
}

// The size the text needs in the control's font when its lines may be as
// wide as the area: DrawText's own line breaking, as the control uses it.
SIZE NeededSize(HWND control, const std::string& text, const TTextArea& area) {
  HDC dc = GetDC(control);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  RECT rect = {0, 0, area.width, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, area.format | DT_CALCRECT);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else
      out += c;
  }
  return out;
}

struct TReport {
  FILE* file;
  int checked = 0;
};

// Measures `text` as `control` would show it; reports it when it is cut.
void CheckText(TReport& report, HWND control, const std::string& text) {
  const TTextArea area = TextAreaOf(control);
  if (!area.measured || text.empty()) return;
  ++report.checked;
  const SIZE needed = NeededSize(control, text, area);
  if (needed.cx <= area.width && needed.cy <= area.height) return;
  // A wrapping text that does not fit is reported with the width it needs
  // on one line, the figure a layout fix starts from.
  const SIZE oneLine =
      NeededSize(control, text, {true, area.width, area.height, area.format & ~DT_WORDBREAK});
  std::fprintf(report.file, "cut %d %s needs %ldx%ld has %dx%d %s\n", GetDlgCtrlID(control),
               ClassOf(control).c_str(), static_cast<long>(oneLine.cx), static_cast<long>(oneLine.cy),
               area.width, area.height, Escaped(text).c_str());
}

BOOL CALLBACK CheckControl(HWND child, LPARAM param) {
  if (IsWindowVisible(child)) CheckText(*reinterpret_cast<TReport*>(param), child, TextOf(child));
  return TRUE;
}

// The other texts a control can show: lines "ID TEXT" of the request file.
void CheckOtherTexts(TReport& report, HWND window, const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return;
  char line[1024];
  while (std::fgets(line, sizeof(line), file)) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const size_t blank = text.find(' ');
    if (blank == std::string::npos) continue;
    if (HWND control = GetDlgItem(window, std::atoi(text.substr(0, blank).c_str())))
      CheckText(report, control, text.substr(blank + 1));
  }
  std::fclose(file);
}

void WriteReport(HWND window, WPARAM request) {
  TReport report{std::fopen(TextFitReportPath(request).c_str(), "wb")};
  if (!report.file) return;
  EnumChildWindows(window, CheckControl, reinterpret_cast<LPARAM>(&report));
  CheckOtherTexts(report, window, TextFitOtherTextsPath(request));
  std::fprintf(report.file, "checked %d\n", report.checked);
  std::fclose(report.file);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK TextFitHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == TextFitRequestMessage()) WriteReport(call->hwnd, call->wParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
