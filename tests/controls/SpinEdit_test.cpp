// The spin field as a real control: typing, leaving, stepping, the arrows and their repeat timer.
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "controls/SpinEdit.h"

#include <gtest/gtest.h>

#include "base/Exception.h"
#include "controls/Seams.h"
#include "testing/WinTest.h"
#include "toolkit/Forms.h"
#include "toolkit/Seams.h"

namespace {

class SpinForm : public TForm {
 public:
  SpinForm() : TForm(L"Spin", 200, 100) {
    spin.Create(*this, "Spin", L"", {80, 10, 60, 22}, 0, true);
    other.Create(*this, "Other", L"", {10, 50, 100, 21}, 1, true);
    // As the main window sets them: the limits first, then the value.
    spin.SetMaxValue(60);
    spin.SetMinValue(1);
    spin.SetValue(5);
    EndBuilding();
  }
  TSpinEdit spin;
  TEdit other;
};

class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    realSeams_ = TheControlsSeams();
    // The timers are started and stopped as ever; each window's running one is noted too.
    TheControlsSeams().timer = [this](HWND window, UINT_PTR id, UINT interval) {
      if (interval)
        timers_[window] = interval;
      else
        timers_.erase(window);
      realSeams_.timer(window, id, interval);
    };
    form_ = std::make_unique<SpinForm>();
    wintest::PumpMessages();
  }
  void TearDown() override {
    form_.reset();
    EXPECT_TRUE(timers_.empty()) << "a timer outlives its arrow";
    TheControlsSeams() = realSeams_;
  }

  TSpinEdit& spin() { return form_->spin; }
  void type(const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) SendMessageW(spin().Handle(), WM_CHAR, *p, 0);
  }
  void focusIn() {
    spin().SetFocus();
    wintest::PumpMessages();
  }
  void focusOut() {
    form_->other.SetFocus();
    wintest::PumpMessages();
  }
  static LPARAM centreOf(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    return MAKELPARAM(r.right / 2, r.bottom / 2);
  }

  // The interval of the repeat timer running on an arrow; 0 when none runs.
  UINT timerOf(const TTimerSpeedButton& arrow) const {
    auto found = timers_.find(arrow.Handle());
    return found == timers_.end() ? 0 : found->second;
  }

  std::unique_ptr<SpinForm> form_;
  ControlsSeams realSeams_;
  std::map<HWND, UINT> timers_;
};

TEST_F(SpinEditTest, ANewFieldReadsZeroAndStepsByOne) {
  TSpinEdit fresh;
  fresh.Create(*form_, "Fresh", L"", {10, 10, 60, 22}, 2, true);
  EXPECT_EQ(fresh.Text(), "0");
  // Entered by the keyboard, the whole text is selected.
  fresh.SetFocus();
  wintest::PumpMessages();
  DWORD start = 1, end = 0;
  SendMessageW(fresh.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 1u);
  fresh.UpClick();
  EXPECT_EQ(fresh.Text(), "1");
  // Typing changes the text.
  SendMessageW(fresh.Handle(), EM_SETSEL, 0, -1);
  SendMessageW(fresh.Handle(), WM_CHAR, L'7', 0);
  EXPECT_EQ(fresh.Text(), "7");
  EXPECT_FALSE(fresh.ReadOnly());
  // Neither limit set: they are equal, so nothing is limited.
  fresh.SetValue(-12345);
  EXPECT_EQ(fresh.Text(), "-12345");
}

TEST_F(SpinEditTest, SettingTheValueClampsIt) {
  struct Case {
    int32_t v;
    const char* text;
  } cases[] = {{0, "1"}, {99, "60"}, {-3, "1"}, {5, "5"}};
  for (const Case& c : cases) {
    spin().SetValue(c.v);
    EXPECT_EQ(spin().Text(), c.text) << c.v;
  }
}

TEST_F(SpinEditTest, TypedTextIsClampedOnlyWhenTheFocusLeaves) {
  focusIn();
  spin().SelectAll();
  type(L"99");
  EXPECT_EQ(spin().Text(), "99");
  EXPECT_EQ(spin().Value(), 99);
  focusOut();
  EXPECT_EQ(spin().Text(), "60");
}

TEST_F(SpinEditTest, TextThatIsNoNumberStaysWhenTheFocusLeaves) {
  for (const char* text : {"", "1,5", "1.5", "$10"}) {
    focusIn();
    spin().SetText(text);
    focusOut();
    EXPECT_EQ(spin().Text(), text);
  }
  spin().SetText("");
  EXPECT_EQ(spin().Value(), 1);
  spin().SetText("$10");
  EXPECT_EQ(spin().Value(), 16);
  // Full-width digits are no digits, whatever look-alikes the code page offers.
  spin().SetCaption(L"\uFF11\uFF12");
  EXPECT_EQ(spin().Value(), 1);
}

TEST_F(SpinEditTest, StepsStayWithinTheLimits) {
  spin().SetValue(60);
  spin().UpClick();
  EXPECT_EQ(spin().Text(), "60");
  spin().SetValue(1);
  spin().DownClick();
  EXPECT_EQ(spin().Text(), "1");
  spin().SetText("");
  spin().UpClick();
  EXPECT_EQ(spin().Text(), "2");
}

TEST_F(SpinEditTest, TheArrowKeysStep) {
  focusIn();
  SendMessageW(spin().Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(spin().Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(spin().Text(), "7");
  SendMessageW(spin().Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(spin().Text(), "6");
}

TEST_F(SpinEditTest, AReadOnlyFieldDoesNotStep) {
  spin().SetReadOnly(true);
  spin().UpClick();
  spin().DownClick();
  EXPECT_EQ(spin().Text(), "5");
}

TEST_F(SpinEditTest, RefusedCharactersLeaveTheTextUnchanged) {
  int beeps = 0;
  const auto beep = std::exchange(TheToolkitSeams().beep, [&] { ++beeps; });
  focusIn();
  SendMessageW(spin().Handle(), EM_SETSEL, 1, 1);
  for (wchar_t key : {L'a', L'\r', L' ', L'x'}) {
    SendMessageW(spin().Handle(), WM_CHAR, key, 0);
    EXPECT_EQ(spin().Text(), "5") << "key " << static_cast<int>(key);
  }
  EXPECT_EQ(beeps, 4);
  // Enter typed on the keyboard reaches the filter through the form's keys, and beeps too.
  PostMessageW(spin().Handle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(spin().Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
  wintest::PumpMessages();
  EXPECT_EQ(beeps, 5);
  for (wchar_t key : {L'\n', L'\t'}) SendMessageW(spin().Handle(), WM_CHAR, key, 0);
  type(L"-");
  EXPECT_EQ(spin().Text(), "5-");
  TheToolkitSeams().beep = beep;
}

// Puts text on the clipboard for a paste.
void setClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);  // the clipboard owns it now
  CloseClipboard();
}

TEST_F(SpinEditTest, WithTheEditorDisabledNothingIsTypedPastedOrCut) {
  setClipboard(L"42");
  spin().SetEditorEnabled(false);
  focusIn();
  SendMessageW(spin().Handle(), EM_SETSEL, 0, -1);
  type(L"7");
  SendMessageW(spin().Handle(), WM_CHAR, 8, 0);  // backspace
  SendMessageW(spin().Handle(), WM_KEYDOWN, VK_DELETE, 1);
  SendMessageW(spin().Handle(), WM_CUT, 0, 0);
  SendMessageW(spin().Handle(), WM_PASTE, 0, 0);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(spin().Handle(), WM_KEYDOWN, VK_INSERT, 1);  // Shift+Insert
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(spin().Text(), "5");
  // The arrows still step.
  spin().UpClick();
  EXPECT_EQ(spin().Text(), "6");
}

TEST_F(SpinEditTest, PastedTextIsNotFilteredAndAHexNumberStaysWhenTheFocusLeaves) {
  setClipboard(L"$10");
  focusIn();
  SendMessageW(spin().Handle(), EM_SETSEL, 0, -1);
  SendMessageW(spin().Handle(), WM_CHAR, 0x16, 0);  // Ctrl+V
  EXPECT_EQ(spin().Text(), "$10");
  EXPECT_EQ(spin().Value(), 16);
  focusOut();
  EXPECT_EQ(spin().Text(), "$10");
}

TEST_F(SpinEditTest, AReadOnlyFieldIgnoresPaste) {
  setClipboard(L"42");
  spin().SetReadOnly(true);
  SendMessageW(spin().Handle(), EM_SETSEL, 0, -1);
  SendMessageW(spin().Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(spin().Text(), "5");
}

TEST_F(SpinEditTest, EnteringWithTheMouseDoesNotSelectAll) {
  focusOut();
  SendMessageW(spin().Handle(), EM_SETSEL, 0, 0);
  PostMessageW(spin().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
  PostMessageW(spin().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 8));
  wintest::PumpMessages();
  EXPECT_EQ(GetFocus(), spin().Handle());
  DWORD start = 0, end = 0;
  SendMessageW(spin().Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end);
}

TEST_F(SpinEditTest, EnteringByKeyboardSelectsAll) {
  focusOut();
  SendMessageW(spin().Handle(), EM_SETSEL, 0, 0);
  focusIn();
  DWORD start = 0, end = 0;
  SendMessageW(spin().Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 1u);
}

TEST_F(SpinEditTest, ThePairSitsAtTheRightEdgeAndTheFieldIsHighEnough) {
  EXPECT_GE(spin().MinHeight(), 18);
  RECT field = spin().BoundsRect();
  EXPECT_EQ(field.bottom - field.top, std::max(22, spin().MinHeight()));
  RECT pair = spin().Button().BoundsRect();
  const int height = field.bottom - field.top;
  EXPECT_EQ(pair.left, 60 - 15 - 5);
  EXPECT_EQ(pair.top, 0);
  EXPECT_EQ(pair.right - pair.left, 15);
  EXPECT_EQ(pair.bottom - pair.top, height - 5);
  RECT up = spin().Button().UpButton().BoundsRect();
  RECT down = spin().Button().DownButton().BoundsRect();
  EXPECT_EQ(up.bottom - up.top, (height - 5) / 2);
  EXPECT_EQ(down.top, up.bottom - 1);
  EXPECT_EQ(down.bottom, height - 5);
  // The text stops short of the arrows.
  RECT text{};
  SendMessageW(spin().Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  EXPECT_LE(text.right, pair.left);
}

TEST_F(SpinEditTest, ALowFieldIsRaisedToItsMinimumHeight) {
  spin().SetDesignBounds({80, 10, 60, 10});
  RECT field = spin().BoundsRect();
  EXPECT_EQ(field.bottom - field.top, spin().MinHeight());
}

TEST_F(SpinEditTest, AClickOnAnArrowStepsOnReleaseAndTakesTheFocusWithoutKeepingItOnTheArrow) {
  form_->Show();  // a hidden field cannot take the focus
  wintest::PumpMessages();
  focusOut();
  HWND up = spin().Button().UpButton().Handle();
  SendMessageW(up, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(up));
  EXPECT_TRUE(spin().Button().UpButton().Down());
  EXPECT_EQ(spin().Text(), "5");
  EXPECT_EQ(GetFocus(), spin().Handle());
  SendMessageW(up, WM_LBUTTONUP, 0, centreOf(up));
  EXPECT_EQ(spin().Text(), "6");
  EXPECT_FALSE(spin().Button().UpButton().Down());
  EXPECT_EQ(timerOf(spin().Button().UpButton()), 0u);

  HWND down = spin().Button().DownButton().Handle();
  SendMessageW(down, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(down));
  SendMessageW(down, WM_LBUTTONUP, 0, centreOf(down));
  EXPECT_EQ(spin().Text(), "5");
}

TEST_F(SpinEditTest, ReleasingOffTheArrowDoesNotStep) {
  HWND up = spin().Button().UpButton().Handle();
  SendMessageW(up, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(up));
  SendMessageW(up, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
  EXPECT_FALSE(spin().Button().UpButton().Down());
  SendMessageW(up, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
  EXPECT_EQ(spin().Text(), "5");
}

TEST_F(SpinEditTest, HoldingTheUpArrowForJustOverASecondRepeats) {
  // The timer fires at 400 ms and then every 100 ms: 400, 500, ... 1000 are seven ticks, and the
  // release over the arrow is one more step.
  TTimerSpeedButton& arrow = spin().Button().UpButton();
  HWND up = arrow.Handle();
  SendMessageW(up, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(up));
  EXPECT_EQ(timerOf(arrow), TTimerSpeedButton::kFirstDelay);
  SendMessageW(up, WM_TIMER, TTimerSpeedButton::kRepeatTimer, 0);
  EXPECT_EQ(timerOf(arrow), TTimerSpeedButton::kRepeatDelay);
  for (int i = 1; i < 7; ++i) SendMessageW(up, WM_TIMER, TTimerSpeedButton::kRepeatTimer, 0);
  EXPECT_EQ(spin().Text(), "12");
  SendMessageW(up, WM_LBUTTONUP, 0, centreOf(up));
  EXPECT_EQ(spin().Text(), "13");
  EXPECT_EQ(timerOf(arrow), 0u);
  // A tick still queued after the release neither steps nor restarts the timer.
  SendMessageW(up, WM_TIMER, TTimerSpeedButton::kRepeatTimer, 0);
  EXPECT_EQ(spin().Text(), "13");
  EXPECT_EQ(timerOf(arrow), 0u);
}

TEST_F(SpinEditTest, TheTimerDoesNotStepWhileThePointerIsOffTheArrow) {
  TTimerSpeedButton& arrow = spin().Button().DownButton();
  HWND down = arrow.Handle();
  SendMessageW(down, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(down));
  SendMessageW(down, WM_TIMER, TTimerSpeedButton::kRepeatTimer, 0);
  EXPECT_EQ(spin().Text(), "4");
  SendMessageW(down, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -5));
  SendMessageW(down, WM_TIMER, TTimerSpeedButton::kRepeatTimer, 0);
  EXPECT_EQ(spin().Text(), "4");
  EXPECT_EQ(timerOf(arrow), TTimerSpeedButton::kRepeatDelay);  // runs on without stepping
  SendMessageW(down, WM_MOUSEMOVE, MK_LBUTTON, centreOf(down));
  SendMessageW(down, WM_TIMER, TTimerSpeedButton::kRepeatTimer, 0);
  EXPECT_EQ(spin().Text(), "3");
  SendMessageW(down, WM_LBUTTONUP, 0, centreOf(down));
  EXPECT_EQ(spin().Text(), "2");
}

TEST_F(SpinEditTest, AStepThatRaisesStopsTheTimerAndTheErrorIsShown) {
  TTimerSpeedButton& arrow = spin().Button().UpButton();
  arrow.OnClick = [] { throw Exception("Step failed"); };
  wintest::MessageBoxWatcher watcher;
  HWND up = arrow.Handle();
  SendMessageW(up, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(up));
  SendMessageW(up, WM_TIMER, TTimerSpeedButton::kRepeatTimer, 0);
  EXPECT_EQ(timerOf(arrow), 0u);
  SendMessageW(up, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
  ASSERT_EQ(watcher.seen().size(), 1u);
  EXPECT_EQ(watcher.seen()[0].text, L"Step failed.");
}

TEST_F(SpinEditTest, TheArrowsFollowTheFieldsEnabledStateAndShowIt) {
  // The middle of the up arrow's widest row, drawn into a bitmap: black, or half way to the button
  // face when disabled.
  auto arrowColour = [this] {
    HWND up = spin().Button().UpButton().Handle();
    RECT r;
    GetClientRect(up, &r);
    const spinrules::Glyph glyph = spinrules::ArrowGlyph(true);
    ScreenDC screen;
    UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
    MemoryDC dc(screen.get(), picture.get());
    SendMessageW(up, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    return GetPixel(dc.get(), (r.right - glyph.width) / 2 + glyph.width / 2,
                    (r.bottom - glyph.height) / 2 + glyph.height - 1);
  };
  EXPECT_EQ(arrowColour(), RGB(0, 0, 0));
  spin().SetEnabled(false);
  EXPECT_FALSE(spin().Button().UpButton().Enabled());
  EXPECT_FALSE(spin().Button().DownButton().Enabled());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(arrowColour(), RGB(GetRValue(face) / 2, GetGValue(face) / 2, GetBValue(face) / 2));
  spin().SetEnabled(true);
  EXPECT_TRUE(spin().Button().UpButton().Enabled());
}

}  // namespace
