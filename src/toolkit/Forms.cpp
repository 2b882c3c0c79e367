#include "toolkit/Forms.h"

#include <algorithm>
#include <utility>

#include "toolkit/Application.h"
#include "toolkit/Control.h"
#include "toolkit/WinUtil.h"
#include "toolkit/WindowProc.h"
#include "win/Win32Check.h"

namespace {

constexpr wchar_t kFormClass[] = L"TarvenikForm";

// Both borders have this window style; only the extended style tells them apart.
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

DWORD exStyleFor(BorderStyle b) {
  return b == BorderStyle::ToolWindow ? WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT
                                      : WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}

// WM_GETDPISCALEDSIZE, newer than the headers the program is built with on some systems.
constexpr UINT kGetDpiScaledSize = 0x02E4;

std::vector<TForm*> allForms;
TForm* mainForm = nullptr;

}  // namespace

TForm* TForm::MainForm() { return mainForm; }
const std::vector<TForm*>& TForm::All() { return allForms; }

TForm::TForm(const std::wstring& caption, int clientWidth, int clientHeight, BorderStyle border)
    : clientWidth_(clientWidth), clientHeight_(clientHeight) {
  static const bool registered =
      RegisterWindowClass(kFormClass, &ObjectWindowProc<TForm>, CS_DBLCLKS, L"MAINICON");
  (void)registered;
  DWORD style = kFormStyle;
  DWORD exStyle = exStyleFor(border);
  // Made at the system's dpi; the monitor it opens on may have another.
  dpi_ = SystemDpi();
  RECT r{0, 0, Scale(clientWidth), Scale(clientHeight)};
  AdjustWindowRectForDpi(r, style, exStyle, dpi_);
  TForm* owner = MainForm();
  // The first form is the main window; it gets the taskbar button with the application's title.
  if (!owner) exStyle |= WS_EX_APPWINDOW;
  hwnd_ = Win32Check(CreateWindowExW(
      exStyle, kFormClass, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
      r.bottom - r.top, owner ? owner->Handle() : nullptr, nullptr, GetModuleHandleW(nullptr), this));
  if (UINT shown = DpiForWindow(hwnd_); shown != dpi_) {
    dpi_ = shown;
    fitClientSize();
  }
  font_ = CreateFormFont(dpi_);
  if (!mainForm) mainForm = this;
  allForms.push_back(this);
}

TForm::~TForm() {
  std::erase(allForms, this);
  if (mainForm == this) mainForm = nullptr;
  if (hwnd_) {
    DetachObjectWindow<TForm>(hwnd_);
    DestroyWindow(hwnd_);
  }
}

std::wstring TForm::Caption() const { return WindowText(hwnd_); }

void TForm::SetCaption(const std::wstring& caption) { SetWindowTextW(hwnd_, caption.c_str()); }

int TForm::Scale(int value) const { return ScaleForDpi(value, dpi_); }

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  fitClientSize();
}

void TForm::fitClientSize() {
  RECT r{0, 0, Scale(clientWidth_), Scale(clientHeight_)};
  AdjustWindowRectForDpi(r, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::rescale(UINT dpi, const RECT* suggested) {
  const UINT oldDpi = dpi_;
  dpi_ = dpi;
  // The old font stays alive until every control has taken the new one.
  UniqueFont oldFont = std::exchange(font_, CreateFormFont(dpi));
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  for (TControl* c : controls_) c->Rescale(oldDpi);
  if (suggested) {
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    fitClientSize();
  }
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TForm::centre() {
  RECT wr, work;
  GetWindowRect(hwnd_, &wr);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int w = wr.right - wr.left, h = wr.bottom - wr.top;
  int x = work.left + (work.right - work.left - w) / 2;
  int y = work.top + (work.bottom - work.top - h) / 2;
  SetWindowPos(hwnd_, nullptr, std::max<int>(x, work.left), std::max<int>(y, work.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
  if (!shownOnce_) {
    shownOnce_ = true;
    centre();
  }
  // Each showing starts at the first control in the tab order, as a dialog does.
  lastFocus_ = nullptr;
  if (OnShow) SafeCall(OnShow);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (!IsChild(hwnd_, GetFocus())) restoreFocus();
}

void TForm::restoreFocus() {
  HWND target = lastFocus_;
  if (!target || !IsChild(hwnd_, target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
    target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (target && target != hwnd_) ::SetFocus(target);
}

void TForm::Hide() { ShowWindow(hwnd_, SW_HIDE); }
bool TForm::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

int TForm::ShowModal() {
  modalResult_ = 0;
  // Every other visible form is disabled while this one is open.
  std::vector<HWND> disabled;
  for (TForm* f : All()) {
    if (f != this && f->Visible() && IsWindowEnabled(f->Handle())) {
      EnableWindow(f->Handle(), FALSE);
      disabled.push_back(f->Handle());
    }
  }
  inModal_ = true;
  Show();
  Application().RunUntil([this] { return modalResult_ != 0 || !Visible(); });
  inModal_ = false;
  for (HWND h : disabled) EnableWindow(h, TRUE);
  Hide();
  if (!disabled.empty()) SetActiveWindow(disabled.front());
  if (modalResult_ == 0) modalResult_ = mrCancel;
  return modalResult_;
}

void TForm::Close() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

void TForm::DoClose() {
  if (MainForm() == this) {
    Application().Terminate();
  } else {
    modalResult_ = mrCancel;
    if (!inModal_) Hide();
  }
}

void TForm::SetDefaultButton(TControl* b) {
  defaultButton_ = b;
  if (b) SendMessageW(b->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void TForm::AddControl(TControl* control) { controls_.push_back(control); }

// A list holding every row sends a notification per row: the form's own few controls are searched
// rather than asking the window manager for a window property each time.
TControl* TForm::control(HWND hwnd) const {
  if (!hwnd) return nullptr;
  for (TControl* c : controls_)
    if (c->Handle() == hwnd) return c;
  return nullptr;
}

TControl* TForm::FindControl(const std::string& name) const {
  for (TControl* c : controls_)
    if (c->Name() == name) return c;
  return nullptr;
}

bool TForm::BeforeInTabOrder(int tabOrder, int other) {
  auto key = [](int t) { return t < 0 ? 1000000 : t; };
  return key(tabOrder) < key(other);
}

void TForm::EndBuilding() {
  // Window order decides the tab order: tab stops in ascending order first, the rest after them.
  std::vector<TControl*> order = controls_;
  std::stable_sort(order.begin(), order.end(),
                   [](TControl* a, TControl* b) { return BeforeInTabOrder(a->TabOrder(), b->TabOrder()); });
  HWND after = HWND_TOP;
  for (TControl* c : order) {
    // A window made in its place stays there: each move costs the window manager a round of work.
    if (GetWindow(c->Handle(), GW_HWNDPREV) != (after == HWND_TOP ? nullptr : after))
      SetWindowPos(c->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = c->Handle();
  }
  for (TControl* c : controls_) c->Loaded();
}

void TForm::AddShortcut(UINT key, UINT modifiers, TControl& button, const TControl* focus) {
  AddShortcut(
      key, modifiers, [&button] { button.Click(); }, focus);
}

void TForm::AddShortcut(UINT key, UINT modifiers, std::function<void()> action, const TControl* focus) {
  shortcuts_.push_back({key, modifiers, std::move(action), focus});
}

bool TForm::shortcut(const MSG& msg) const {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const UINT modifiers = (GetKeyState(VK_CONTROL) < 0 ? MOD_CONTROL : 0) |
                         (GetKeyState(VK_MENU) < 0 ? MOD_ALT : 0) |
                         (GetKeyState(VK_SHIFT) < 0 ? MOD_SHIFT : 0);
  const HWND focus = GetFocus();
  for (const Shortcut& s : shortcuts_) {
    if (s.key != msg.wParam || s.modifiers != modifiers || (s.focus && s.focus->Handle() != focus)) continue;
    s.action();
    return true;
  }
  return false;
}

bool TForm::PreTranslateMessage(MSG& msg) {
  if (shortcut(msg)) return true;
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
    HWND focus = GetFocus();
    TControl* fc = TControl::FromHandle(focus);
    if (!fc && focus) fc = TControl::FromHandle(GetParent(focus));
    switch (fc ? fc->UseDialogKey(msg.wParam) : TControl::DialogKey::Form) {
      case TControl::DialogKey::Control:
        return false;
      case TControl::DialogKey::Used:
        return true;
      case TControl::DialogKey::Form:
        break;
    }
    if (msg.wParam == VK_ESCAPE) {
      if (cancelButton_ && cancelButton_->Enabled()) {
        cancelButton_->Click();
      } else if (MainForm() != this) {
        Close();
      }
      return true;
    }
    if (defaultButton_ && defaultButton_->Enabled()) defaultButton_->Click();
    return true;  // swallowed: a one-line edit would only beep
  }
  if (msg.message == WM_CHAR && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
    TControl* fc = TControl::FromHandle(GetFocus());
    if (!(fc && fc->WantsReturn() && msg.wParam == VK_RETURN)) return true;
    return false;
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
    if (msg.message == WM_KEYDOWN && msg.wParam != VK_TAB && msg.wParam != VK_LEFT &&
        msg.wParam != VK_RIGHT && msg.wParam != VK_UP && msg.wParam != VK_DOWN)
      return false;
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
  }
  return false;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == TakeKeyMessage()) return PreTranslateMessage(*reinterpret_cast<MSG*>(lp));
  switch (msg) {
    case WM_COMMAND:
      if (TControl* c = control(reinterpret_cast<HWND>(lp))) {
        c->HandleCommand(HIWORD(wp));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (TControl* c = control(hdr->hwndFrom)) return c->HandleNotify(hdr);
      break;
    }
    case WM_CLOSE:
      DoClose();
      return 0;
    case kGetDpiScaledSize: {
      // The window at another dpi: exactly its client size scaled, with that dpi's frame.
      const auto dpi = static_cast<UINT>(wp);
      RECT r{0, 0, ScaleForDpi(clientWidth_, dpi), ScaleForDpi(clientHeight_, dpi)};
      AdjustWindowRectForDpi(r, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
                             static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), dpi);
      auto* size = reinterpret_cast<SIZE*>(lp);
      size->cx = r.right - r.left;
      size->cy = r.bottom - r.top;
      return TRUE;
    }
    case WM_DPICHANGED:
      rescale(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_ACTIVATE:
      // Left to itself the window would take the focus on activation and keep it from every control.
      if (LOWORD(wp) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (!HIWORD(wp)) {
        restoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      restoreFocus();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}
