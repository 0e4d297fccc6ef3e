#include "util/win32/AppWindow.h"

#include <string>

namespace {

HWND appWindow = nullptr;

// The program has no main window: a close or quit request sent to its
// application window (by /close or /killwindow of another run) ends it as
// the same request taken from its queue does, once it serves the queue.
// The window itself goes with the program.
LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  if (message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(wParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterAppWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = AppWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kAppWindowClass;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateAppWindow() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterAppWindowClass(instance)) return nullptr;
  // A popup without a sizing frame keeps the zero size it is created with.
  HWND window =
      CreateWindowExA(WS_EX_APPWINDOW, kAppWindowClass, "",
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, GetSystemMetrics(SM_CXSCREEN) / 2,
                      GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, nullptr);
  if (window) ShowWindow(window, SW_SHOWNA);
  return window;
}

}  // namespace

void SetAppWindowTitle(std::string_view title) {
  if (!appWindow) appWindow = CreateAppWindow();
  if (appWindow) SetWindowTextA(appWindow, std::string(title).c_str());
}

HWND AppWindowHandle() { return appWindow; }

bool IsOwnAppWindow(HWND window) { return window != nullptr && window == appWindow; }
