// frmTarvWiz: the editor window over real controls.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <vector>

#include "editor/TarvWiz.h"
#include "editor/win32/DialogSupport.h"
#include "editor/win32/EditorViews.h"

namespace editorwin {

namespace {

constexpr UINT kListKey = WM_APP + 2;       // wParam: the TListKey pressed on List1
constexpr UINT kMeasureLines = WM_APP + 3;  // List1's lines changed: measure the widest
// Panel 1 ("Modified") keeps this width at the right edge; panel 0 takes
// the rest (450 at the designed size).
constexpr int kStatusPanel1Width = 82;

// The move pictures: 15 x 16 pixels, red arrow, black outline, the rest
// (olive in the picture) transparent. Rows top to bottom of the up arrow.
constexpr std::array<const char*, 16> kUpArrow = {
    ".......K.......", "......KRK......", ".....KRRRK.....", "....KRRRRRK....",
    "...KRRRRRRRK...", "..KRRRRRRRRRK..", ".KKKKKKRKKKKKK.", "......KRK......",
    "......KRK......", "......KRK......", "......KRK......", "......KRK......",
    "......KRK......", "......KRK......", "......KRK......", "......KKK......",
};

void DrawArrow(HDC dc, const RECT& area, bool up) {
  const int block = SystemDpi() >= 180 ? 2 : 1;
  const int width = 15 * block, height = 16 * block;
  const int left = (area.left + area.right - width) / 2, top = (area.top + area.bottom - height) / 2;
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
  for (int row = 0; row < 16; ++row) {
    const char* pixels = kUpArrow[up ? row : 15 - row];
    for (int column = 0; column < 15; ++column) {
      if (pixels[column] == '.') continue;
      RECT pixel = {left + column * block, top + row * block, left + (column + 1) * block,
                    top + (row + 1) * block};
      FillRect(dc, &pixel, pixels[column] == 'R' ? red : black);
    }
  }
  DeleteObject(red);
  DeleteObject(black);
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, bool up) {
  RECT area = item.rcItem;
  DrawFrameControl(item.hDC, &area, DFC_BUTTON, DFCS_BUTTONPUSH);
  DrawArrow(item.hDC, item.rcItem, up);
}

HMENU BuildMainMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kNew1, "&New");
  AppendMenuA(file, MF_STRING, kOpen1, "&Open...");
  AppendMenuA(file, MF_STRING, kSave1, "&Save");
  AppendMenuA(file, MF_STRING, kSaveAs1, "Save &As...");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, kRun1, "&Run");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, kExit1, "E&xit");
  HMENU edit = CreatePopupMenu();
  AppendMenuA(edit, MF_STRING, kNewCommand1, "&New Command (Insert)...");
  AppendMenuA(edit, MF_STRING, kEditCommand1, "&Edit Command (Enter)...");
  AppendMenuA(edit, MF_STRING, kDeleteCommand1, "&Delete Commands (Delete)");
  AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(edit, MF_STRING, kReplace1, "Replace All...");
  HMENU lists = CreatePopupMenu();
  AppendMenuA(lists, MF_STRING, kProcessList1, "Running &Processes...");
  AppendMenuA(lists, MF_STRING, kWindowList1, "Open &Windows...");
  HMENU help = CreatePopupMenu();
  AppendMenuA(help, MF_STRING, kAbout1, "&About");
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(lists), "&Lists");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  return menu;
}

HMENU BuildPopupMenu() {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, kNewCommand1, "&New Command...");
  AppendMenuA(popup, MF_STRING, kEditCommand1, "&Edit Command...");
  AppendMenuA(popup, MF_STRING, kDeleteCommand1, "&Delete Command");
  return popup;
}

// Enter, Insert and Delete on the list go to the editor whatever shift state
// is held; the list asks the dialog manager for Enter.
LRESULT CALLBACK ListSubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  if (message == WM_GETDLGCODE && lParam != 0 && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
    return DefSubclassProc(list, message, wParam, lParam) | DLGC_WANTMESSAGE;
  if (message == WM_KEYDOWN) {
    int key = -1;
    if (wParam == VK_RETURN) key = static_cast<int>(TListKey::Enter);
    if (wParam == VK_INSERT) key = static_cast<int>(TListKey::Insert);
    if (wParam == VK_DELETE) key = static_cast<int>(TListKey::Delete);
    if (key >= 0) {
      PostMessageA(GetParent(list), kListKey, key, 0);
      return 0;
    }
  }
  if (message == WM_CHAR && wParam == '\r') return 0;
  return DefSubclassProc(list, message, wParam, lParam);
}

// The list's horizontal extent follows its widest line, so the scroll bar
// shows only when a line is wider than the list. Every change asks for one
// measuring, posted, so a Replace All over many lines measures them once.
class TListBoxView : public IListBox {
 public:
  void Attach(HWND list) { list_ = list; }
  int Count() const override { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }
  std::string Item(int index) const override {
    LRESULT length = SendMessageA(list_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length <= 0) return std::string();
    std::vector<char> text(length + 1);
    LRESULT copied = SendMessageA(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), copied > 0 ? copied : 0);
  }
  void SetItem(int index, const std::string& text) override {
    const bool selected = Selected(index);
    const int caret = FocusIndex();
    SendMessageA(list_, LB_DELETESTRING, index, 0);
    Insert(index, text);
    SetSelected(index, selected);
    if (caret >= 0) SetFocusIndex(caret);
  }
  void Add(const std::string& text) override { Insert(-1, text); }
  void Insert(int index, const std::string& text) override {
    SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
    Changed();
  }
  void Delete(int index) override {
    SendMessageA(list_, LB_DELETESTRING, index, 0);
    Changed();
  }
  void Clear() override {
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    Changed();
  }
  bool Selected(int index) const override { return SendMessageA(list_, LB_GETSEL, index, 0) > 0; }
  void SetSelected(int index, bool selected) override { SendMessageA(list_, LB_SETSEL, selected, index); }
  int FocusIndex() const override {
    return Count() == 0 ? -1 : static_cast<int>(SendMessageA(list_, LB_GETCARETINDEX, 0, 0));
  }
  void SetFocusIndex(int index) override { SendMessageA(list_, LB_SETCARETINDEX, index, FALSE); }

  /// Sets the horizontal extent to the widest line (kMeasureLines).
  void MeasureLines() {
    measurePending_ = false;
    HDC dc = GetDC(list_);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (int i = 0; i < Count(); ++i) {
      const std::string line = Item(i);
      SIZE size = {};
      if (GetTextExtentPoint32A(dc, line.data(), static_cast<int>(line.size()), &size))
        widest = std::max(widest, size.cx);
    }
    SelectObject(dc, previous);
    ReleaseDC(list_, dc);
    // The list draws each line a little way in from its left edge.
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, widest > 0 ? widest + Scale(8) : 0, 0);
  }

 private:
  void Changed() {
    if (measurePending_) return;
    measurePending_ = PostMessageA(GetParent(list_), kMeasureLines, 0, 0) != FALSE;
  }

  HWND list_ = nullptr;
  bool measurePending_ = false;
};

std::optional<std::string> ChooseQdFile(HWND owner, bool save) {
  std::vector<char> path(32768, '\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "Tarv Files (*.qd)\0*.QD\0";
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = "QD";  // the system adds the dot
  dialog.Flags = save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY
                      : OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(path.data());
}

class TEditorView : public TModalWindow, public IEditorWindow, public IFileDialogs, public IEditorDialogs {
 public:
  TEditorView() : wiz_(*this, list_, *this, *this) {
    Create(nullptr, "Tarv Command File Editor", 540, 398, WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME);
  }
  ~TEditorView() override {
    if (popup_) DestroyMenu(popup_);
  }
  TTarvWiz& Wiz() { return wiz_; }

  // IEditorWindow
  std::string Caption() const override { return WindowText(Handle()); }
  void SetCaption(const std::string& caption) override { SetWindowTextA(Handle(), caption.c_str()); }
  std::string Panel(int index) const override { return panels_[index & 1]; }
  void SetPanel(int index, const std::string& text) override {
    panels_[index & 1] = text;
    SendMessageA(Item(kStatusBar1Id), SB_SETTEXTA, index & 1, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Close() override { CloseQuery(); }
  void Beep() override { MessageBeep(0); }
  void SetBusy(bool busy) override {
    busy_ = busy;
    EnableWindow(Handle(), busy ? FALSE : TRUE);
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
    if (!busy) SetForegroundWindow(Handle());  // the run's boxes took the activation away
  }

  // IFileDialogs
  std::optional<std::string> ChooseFileToOpen() override { return ChooseQdFile(Handle(), false); }
  std::optional<std::string> ChooseFileToSave() override { return ChooseQdFile(Handle(), true); }

  // IEditorDialogs
  std::unique_ptr<ICommandDialogControls> CreateCommandDialog() override {
    return CreateCommandDialogView(Handle());
  }
  std::optional<TReplaceStrings> ShowReplace() override { return ShowReplaceView(Handle()); }
  void ShowAbout() override { ShowAboutView(Handle()); }
  void ShowProcessList(bool windowMode, const TActivateLineTaker& taker) override {
    ShowProcessListView(windowMode, Handle(), taker);
  }

 protected:
  void CreateControls() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void CloseQuery() {
    if (busy_) return;
    if (wiz_.OnCloseQuery()) EndModal(IDOK);
  }
  void Command(int id);
  void ShowContextMenu(LPARAM lParam);
  void SizeStatusBar();

  TListBoxView list_;
  TTarvWiz wiz_;
  std::string panels_[2];
  HMENU popup_ = nullptr;
  bool busy_ = false;
};

void TEditorView::CreateControls() {
  SetMenu(Handle(), BuildMainMenu());
  popup_ = BuildPopupMenu();
  HWND list =
      AddControl("LISTBOX", "",
                 WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                 {8, 8, 465, 297}, kList1Id, WS_EX_CLIENTEDGE);
  SendMessageA(list, LB_SETITEMHEIGHT, 0, Scale(16));
  SetWindowSubclass(list, ListSubclassProc, 1, 0);
  list_.Attach(list);
  AddControl("STATIC", "", SS_OWNERDRAW | SS_NOTIFY, {488, 128, 33, 25}, kBtnUpId);
  AddControl("STATIC", "Move", SS_LEFT, {484, 164, 40, 16}, kLabel2Id);
  AddControl("STATIC", "", SS_OWNERDRAW | SS_NOTIFY, {488, 192, 33, 25}, kBtnDownId);
  CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(),
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBar1Id)), GetModuleHandleA(nullptr),
                  nullptr);
  SizeStatusBar();
  // The list grows with the window; the move buttons stay at its right,
  // centred beside it as designed.
  Anchor(kList1Id, TAnchor::Stretch, TAnchor::Stretch);
  for (int id : {kBtnUpId, kLabel2Id, kBtnDownId}) Anchor(id, TAnchor::End, TAnchor::Middle);
  SetFocus(list);
}

// Panel 1 runs to the right edge, so no empty third part shows.
void TEditorView::SizeStatusBar() {
  HWND status = Item(kStatusBar1Id);
  SendMessageA(status, WM_SIZE, 0, 0);
  RECT client;
  GetClientRect(Handle(), &client);
  int parts[2] = {std::max<int>(client.right - Scale(kStatusPanel1Width), Scale(50)), -1};
  SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void TEditorView::ShowContextMenu(LPARAM lParam) {
  POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {
    RECT rect;
    GetWindowRect(Item(kList1Id), &rect);
    at = {rect.left, rect.top};
  }
  int id = TrackPopupMenu(popup_, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  if (id != 0) Command(id);
}

void TEditorView::Command(int id) {
  switch (id) {
    case kNew1: wiz_.New1Click(); break;
    case kOpen1: wiz_.Open1Click(); break;
    case kSave1: wiz_.Save1Click(); break;
    case kSaveAs1: wiz_.SaveAs1Click(); break;
    case kRun1: wiz_.Run1Click(); break;
    case kExit1: wiz_.Exit1Click(); break;
    case kNewCommand1: wiz_.NewCommand1Click(); break;
    case kEditCommand1: wiz_.EditCommand1Click(); break;
    case kDeleteCommand1: wiz_.DeleteCommand1Click(); break;
    case kReplace1: wiz_.Replace1Click(); break;
    case kAbout1: wiz_.About1Click(); break;
    case kProcessList1: wiz_.ProcessList1Click(); break;
    case kWindowList1: wiz_.WindowList1Click(); break;
  }
}

bool TEditorView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_CLOSE: CloseQuery(); return true;
    case WM_SETCURSOR:
      if (!busy_) return false;
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      result = TRUE;
      return true;
    case WM_SIZE: SizeStatusBar(); return false;
    case kMeasureLines: list_.MeasureLines(); return true;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID != kBtnUpId && item.CtlID != kBtnDownId) return false;
      DrawPictureButton(item, item.CtlID == kBtnUpId);
      result = TRUE;
      return true;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != Item(kList1Id)) return false;
      ShowContextMenu(lParam);
      return true;
    case kListKey: wiz_.List1KeyDown(static_cast<TListKey>(wParam)); return true;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == kList1Id && code == LBN_DBLCLK) wiz_.List1DblClick();
      if ((id == kBtnUpId || id == kBtnDownId) && (code == STN_CLICKED || code == STN_DBLCLK))
        id == kBtnUpId ? wiz_.btnUpClick() : wiz_.btnDownClick();
      if (id >= kNew1 && id <= kWindowList1) Command(id);
      return true;  // IDOK and IDCANCEL (Enter, Esc) do not close the editor
    }
  }
  return false;
}

}  // namespace

void ShowEditorView(const std::string& path) {
  TEditorView view;
  view.Wiz().SetFileName(path);
  if (!path.empty()) view.Wiz().ReadFile();
  view.RunModal();
}

}  // namespace editorwin
