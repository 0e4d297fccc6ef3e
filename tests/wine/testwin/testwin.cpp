// testwin: a program for the Wine cases of the system services to start,
// wait for, find by title, activate, close, end and type into.
//
//   testwin exit CODE [MS]
//       waits MS milliseconds (default 0) without a window, then exits with CODE.
//   testwin window TITLE LOG [CLOSECODE [QUITCODE]]
//       opens a top-level window titled TITLE holding a multi-line edit
//       control that has the focus, and appends to the file LOG, one line each:
//         "show N"          the show command it was started with
//         "state visible=V iconic=I zoomed=Z"   after showing its window
//         "activate"        each time the window becomes active
//         "char N"          each character (UTF-16 unit) the edit control receives
//         "closing visible=V iconic=I front=F"   WM_CLOSE arrived (F: 1 when
//                           the window was the foreground window)
//         "close"           after that line: then "text T", exit CLOSECODE (default 7)
//         "quit"            WM_QUIT was sent to the window procedure: then
//                           "text T", exit QUITCODE (default 9)
//       where T is the edit's text in UTF-8 with CR, LF and backslash written \r \n \\.
//       A window started minimised (/min) stays so until it is restored.
//   testwin hang TITLE LOG MS
//       like window, but once the window is shown it stops serving its
//       messages for MS milliseconds ("hang" and "awake" in LOG), as a
//       program that has hung does; afterwards it behaves like window.
//   testwin ask TITLE LOG
//       like window, but WM_CLOSE first asks with a Yes/No box captioned
//       "TITLE - Close?" ("asked" in LOG), as an editor with unsaved text
//       does; "answer yes" closes the window as above, "answer no" keeps it.
//   testwin show TITLE LOG CODE
//       like window, but exits with CODE a moment after showing the window
//       (for the show modes of waited programs).
//   testwin args LOG WORD...
//       appends each WORD to LOG, one a line, and exits 0 (what the
//       program received on its command line).
//   testwin wargs LOG WORD...
//       like args, but the words as CommandLineToArgvW takes the command line
//       apart, each in the ANSI code page (the other reader of a command line).
//   testwin ticks MS
//       busy until MS milliseconds have passed, then exits 0 (a process that
//       uses the processor, to compare idle waits with).
//   testwin churn COUNT MS LOG [STOPFILE]
//       for MS milliseconds opens and closes top-level windows titled
//       "Sx Churn N" as fast as it can (having appended "churning" to LOG),
//       COUNT of them open at a time (each new
//       one goes on top and replaces the oldest), then closes the rest,
//       appends "churned N" (the windows it opened) to LOG and exits 0; it
//       stops sooner once the file STOPFILE exists.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>

namespace {

constexpr char kWindowClass[] = "TarvTestWindow";
constexpr char kChurnClass[] = "TarvChurnWindow";
constexpr int kEditId = 100;
constexpr UINT_PTR kShowExitTimer = 1;
constexpr UINT kShowExitDelayMs = 300;

struct TSettings {
  std::string log;
  int closeCode = 7;
  int quitCode = 9;
  int showExitCode = -1;   // >= 0: exit with it after showing the window
  DWORD hangMs = 0;        // how long to serve no messages once shown
  std::string askCaption;  // not empty: ask before closing
};

TSettings settings;
HWND editControl = nullptr;
WNDPROC editProcedure = nullptr;

void AppendLog(const std::string& line) {
  HANDLE file = CreateFileA(settings.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = line + "\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Escaped(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\r')
      result += "\\r";
    else if (c == '\n')
      result += "\\n";
    else if (c == '\\')
      result += "\\\\";
    else
      result += c;
  }
  return result;
}

// The edit control is a Unicode window: it takes every character typed, and
// its text goes to the log as UTF-8.
std::string EditText() {
  int length = GetWindowTextLengthW(editControl);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(editControl, wide.data(), length + 1);
  std::string text(static_cast<size_t>(length) * 4, '\0');
  text.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(),
                                                      static_cast<int>(text.size()), nullptr, nullptr)));
  return text;
}

[[noreturn]] void LogTextAndExit(const char* why, int code) {
  AppendLog(why);
  AppendLog("text " + Escaped(EditText()));
  ExitProcess(static_cast<UINT>(code));
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) AppendLog("char " + std::to_string(static_cast<unsigned>(wParam)));
  return CallWindowProcW(editProcedure, window, message, wParam, lParam);
}

void CreateEdit(HWND window) {
  editControl = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
      10, 10, 360, 160, window, reinterpret_cast<HMENU>(kEditId), GetModuleHandleW(nullptr), nullptr);
  editProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(editControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
}

std::string ClosingLine(HWND window) {
  return "closing visible=" + std::to_string(IsWindowVisible(window) ? 1 : 0) +
         " iconic=" + std::to_string(IsIconic(window) ? 1 : 0) +
         " front=" + std::to_string(GetForegroundWindow() == window ? 1 : 0);
}

bool UserAgreesToClose(HWND window) {
  AppendLog("asked");
  bool yes = MessageBoxA(window, "Close the window?", settings.askCaption.c_str(), MB_YESNO) == IDYES;
  AppendLog(yes ? "answer yes" : "answer no");
  return yes;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateEdit(window); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        AppendLog("activate");
        SetFocus(editControl);
      }
      return 0;
    case WM_SETFOCUS: SetFocus(editControl); return 0;
    case WM_TIMER:
      if (wParam == kShowExitTimer) ExitProcess(static_cast<UINT>(settings.showExitCode));
      return 0;
    case WM_CLOSE:
      if (!settings.askCaption.empty() && !UserAgreesToClose(window)) return 0;
      AppendLog(ClosingLine(window));
      LogTextAndExit("close", settings.closeCode);
    case WM_QUIT: LogTextAndExit("quit", settings.quitCode);
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

std::string StateLine(HWND window) {
  return "state visible=" + std::to_string(IsWindowVisible(window) ? 1 : 0) +
         " iconic=" + std::to_string(IsIconic(window) ? 1 : 0) +
         " zoomed=" + std::to_string(IsZoomed(window) ? 1 : 0);
}

int RunWindow(const std::string& title, int showCommand) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 400, 240,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 90;
  AppendLog("show " + std::to_string(showCommand));
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  AppendLog(StateLine(window));
  if (settings.showExitCode >= 0) SetTimer(window, kShowExitTimer, kShowExitDelayMs, nullptr);
  if (settings.hangMs > 0) {
    AppendLog("hang");
    Sleep(settings.hangMs);
    AppendLog("awake");
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

int Busy(DWORD ms) {
  DWORD start = GetTickCount();
  volatile unsigned counter = 0;
  while (GetTickCount() - start < ms) counter = counter + 1;
  return 0;
}

// Handles whatever the churn windows left in the queue.
void DrainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

HWND OpenChurnWindow(unsigned number) {
  std::string title = "Sx Churn " + std::to_string(number);
  HWND window = CreateWindowExA(0, kChurnClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return window;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int Churn(size_t count, DWORD ms, const std::string& stopFile) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kChurnClass;
  RegisterClassA(&windowClass);
  std::deque<HWND> open;
  unsigned opened = 0;
  AppendLog("churning");
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && (stopFile.empty() || !Exists(stopFile))) {
    if (HWND window = OpenChurnWindow(opened)) {
      open.push_back(window);
      ++opened;
    }
    while (open.size() > count) {
      DestroyWindow(open.front());
      open.pop_front();
    }
    DrainMessages();
  }
  for (HWND window : open) DestroyWindow(window);
  AppendLog("churned " + std::to_string(opened));
  return 0;
}

// The words from the fourth on as CommandLineToArgvW gives them.
int LogWideArguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!words) return 3;
  for (int i = 3; i < count; ++i) {
    int size = WideCharToMultiByte(CP_ACP, 0, words[i], -1, nullptr, 0, nullptr, nullptr);
    std::string word(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, words[i], -1, word.data(), size, nullptr, nullptr);
    word.resize(word.size() - 1);  // the terminating NUL
    AppendLog(word);
  }
  LocalFree(words);
  return 0;
}

int Usage() {
  std::fputs(
      "usage: testwin exit CODE [MS] | window TITLE LOG [CLOSECODE [QUITCODE]] | show TITLE LOG CODE"
      " | hang TITLE LOG MS | ask TITLE LOG | args LOG WORD... | wargs LOG WORD... | ticks MS | churn COUNT "
      "MS LOG [STOPFILE]\n",
      stderr);
  return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  int count = __argc;
  char** args = __argv;
  if (count < 2) return Usage();
  std::string mode = args[1];
  if (mode == "exit" && count >= 3) {
    if (count >= 4) Sleep(static_cast<DWORD>(std::atoi(args[3])));
    return std::atoi(args[2]);
  }
  if (mode == "args" && count >= 3) {
    settings.log = args[2];
    for (int i = 3; i < count; ++i) AppendLog(args[i]);
    return 0;
  }
  if (mode == "wargs" && count >= 3) {
    settings.log = args[2];
    return LogWideArguments();
  }
  if (mode == "ticks" && count == 3) return Busy(static_cast<DWORD>(std::atoi(args[2])));
  if (mode == "churn" && (count == 5 || count == 6)) {
    settings.log = args[4];
    return Churn(static_cast<size_t>(std::atoi(args[2])), static_cast<DWORD>(std::atoi(args[3])),
                 count == 6 ? args[5] : "");
  }
  if ((mode == "window" || mode == "show" || mode == "hang" || mode == "ask") && count >= 4) {
    settings.log = args[3];
    if (mode == "ask") {
      if (count != 4) return Usage();
      settings.askCaption = std::string(args[2]) + " - Close?";
    } else if (mode == "hang") {
      if (count != 5) return Usage();
      settings.hangMs = static_cast<DWORD>(std::atoi(args[4]));
    } else if (mode == "show") {
      if (count != 5) return Usage();
      settings.showExitCode = std::atoi(args[4]);
    } else {
      if (count >= 5) settings.closeCode = std::atoi(args[4]);
      if (count >= 6) settings.quitCode = std::atoi(args[5]);
    }
    return RunWindow(args[2], showCommand);
  }
  return Usage();
}
