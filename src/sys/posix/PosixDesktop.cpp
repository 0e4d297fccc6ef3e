// The window system and keyboard of a build without a window system: the
// desktop has no children, so a search finds nothing and no window action is
// ever aimed at a window; the window commands and SendKeys say why.
#include "sys/posix/PosixBackEnd.h"

namespace {

constexpr TWindowHandle kDesktop = 1;
constexpr const char* kNoWindowSystem = "this build has no window system (built without X11)";

class TEmptyDesktop : public IWindowSystem {
 public:
  std::string Unavailable() override { return kNoWindowSystem; }
  TWindowHandle DesktopWindow() override { return kDesktop; }
  bool WindowExists(TWindowHandle window) override { return window == kDesktop; }
  bool IsLastSibling(TWindowHandle) override { return true; }
  TWindowHandle FirstChild(TWindowHandle) override { return 0; }
  TWindowHandle NextSibling(TWindowHandle) override { return 0; }
  std::string WindowTitle(TWindowHandle) override { return ""; }
  std::string ClassName(TWindowHandle) override { return ""; }
  uint32_t OwningProcessId(TWindowHandle) override { return 0; }
  // No window can be found, so these have nothing to act on.
  bool IsMinimized(TWindowHandle) override { return false; }
  void Restore(TWindowHandle) override {}
  bool SetForeground(TWindowHandle, TForegroundMeans) override { return false; }
  bool IsForeground(TWindowHandle) override { return false; }
  TSendOutcome SendClose(TWindowHandle, uint32_t) override { return TSendOutcome::WindowGone; }
  TSendOutcome SendQuit(TWindowHandle, uint32_t) override { return TSendOutcome::WindowGone; }
};

class TNoKeyboard : public IKeyboard {
 public:
  bool CanSendKeys() override { return false; }
  std::string Unavailable() override { return kNoWindowSystem; }
  std::u32string DecodeText(std::string_view) override { return {}; }
  int16_t KeyForCharacter(char32_t) override { return -1; }
  uint32_t MapVirtualKey(uint32_t) override { return 0; }
  bool SendKeyEvents(const std::vector<TKeyEvent>&) override { return false; }
  bool WaitUntilKeysTaken(uint32_t) override { return true; }
  bool ProcessMessages() override { return true; }
};

}  // namespace

IWindowSystem& PosixWindowSystem() {
  static TEmptyDesktop desktop;
  return desktop;
}

IKeyboard& PosixKeyboard() {
  static TNoKeyboard keyboard;
  return keyboard;
}
