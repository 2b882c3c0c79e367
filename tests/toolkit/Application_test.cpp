// The dispatch point, the error box, the plain message dialog and the tips, with real windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "base/Exception.h"
#include "base/Text.h"
#include "testing/WinTest.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/ToolTip.h"
#include "win/Win32Check.h"

namespace {

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::SetUpApplication(L"Tytuł programu"); }
};

class TestForm : public TForm {
 public:
  TestForm() : TForm(L"Test", 200, 100) {
    button.Create(*this, "Button", L"Go", {10, 10, 80, 25}, 0, true);
    cancel.Create(*this, "Cancel", L"Cancel", {100, 10, 80, 25}, 1, true);
    combo.Create(*this, "Combo", L"", {10, 50, 80, 200}, 2, true);
    combo.AddItem("a");
    combo.AddItem("b");
    SetCancelButton(&cancel);
    EndBuilding();
  }
  TButton button;
  TButton cancel;
  TComboBox combo;
};

TEST_F(ToolkitTest, AnErrorEscapingAHandlerIsShownAndTheProgramGoesOn) {
  TestForm form;
  int reached = 0;
  form.button.OnClick = [&] {
    ++reached;
    throw Exception(WideToAnsi(L"Fehler in der Übersicht"));
    ++reached;  // never reached: the handler stops where the error was raised
  };
  wintest::MessageBoxWatcher watcher;
  form.button.Click();
  form.button.Click();  // the program goes on: the next click runs the handler again
  auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(reached, 2);
  EXPECT_EQ(seen[0].caption, L"Tytuł programu");
  EXPECT_EQ(seen[0].text, L"Fehler in der Übersicht.");  // texts are in the system code page
  EXPECT_TRUE(seen[0].hasStopIcon);
  EXPECT_EQ(seen[0].buttons, 1);
}

// Idle work that looks at a message without taking it (as any PeekMessage without PM_REMOVE does)
// must not put the loop to sleep past it: the message is handled at once, long before a watch
// thread wakes the loop after two seconds.
TEST_F(ToolkitTest, AMessageSeenButLeftByIdleWorkIsHandledWithoutWaitingForMore) {
  TestForm form;
  bool clicked = false;
  form.button.OnClick = [&] { clicked = true; };
  int idle = Application().AddIdleHandler([&] {
    Application().RemoveIdleHandler(idle);
    PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.button.Handle()));
    MSG seen;
    PeekMessageW(&seen, nullptr, 0, 0, PM_NOREMOVE);
  });
  std::atomic<bool> stop{false};
  const DWORD loop = GetCurrentThreadId();
  std::thread watch([&] {
    for (int i = 0; i < 200 && !stop; ++i) Sleep(10);
    PostThreadMessageW(loop, WM_NULL, 0, 0);
  });
  const auto start = std::chrono::steady_clock::now();
  Application().RunUntil([&] { return clicked; });
  const auto took = std::chrono::steady_clock::now() - start;
  stop = true;
  watch.join();
  EXPECT_LT(took, std::chrono::seconds(1));
}

TEST_F(ToolkitTest, NoFullStopAfterPunctuationNothingShownForAbortAndEveryOtherErrorShown) {
  TestForm form;
  const char* message = "Uwaga!";
  form.button.OnClick = [&] { throw Exception(message); };
  wintest::MessageBoxWatcher watcher;
  form.button.Click();
  form.button.OnClick = [] { throw EAbort("aborted"); };
  form.button.Click();
  form.button.OnClick = [] { throw std::length_error("vector too long"); };
  form.button.Click();
  form.button.OnClick = [] { throw 42; };
  form.button.Click();
  auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].text, L"Uwaga!");
  EXPECT_EQ(seen[1].text, L"vector too long.");
  EXPECT_EQ(seen[2].text, L"Unknown error.");
}

TEST_F(ToolkitTest, EscClicksTheCancelButtonUnlessADropDownListIsOpen) {
  TestForm form;
  form.Show();
  int cancels = 0;
  form.cancel.OnClick = [&] { ++cancels; };
  form.combo.SetFocus();
  SendMessageW(form.combo.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(form.combo.DroppedDown());
  PostMessageW(form.combo.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  wintest::PumpMessages();
  EXPECT_EQ(cancels, 0);
  EXPECT_FALSE(form.combo.DroppedDown());
  PostMessageW(form.combo.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  wintest::PumpMessages();
  EXPECT_EQ(cancels, 1);
  // Without a cancel button to click, Esc closes a form other than the main one, and only that.
  form.cancel.SetEnabled(false);
  TestForm other;
  other.cancel.SetEnabled(false);
  other.Show();
  for (TestForm* f : {&other, &form}) {
    f->combo.SetFocus();
    PostMessageW(f->combo.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    wintest::PumpMessages();
  }
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(Application().Terminated());
  EXPECT_EQ(cancels, 1);
}

TEST_F(ToolkitTest, ATipsTextChangedBeforeTheTipWindowIsMadeIsTheOneShown) {
  TestForm form;
  TToolTip tips;
  tips.Add(form.button.Handle(), L"");
  tips.SetText(form.button.Handle(), L"Go (Enter)");
  wintest::PumpMessages();  // the first idle moment makes the tip window
  ASSERT_NE(tips.Handle(), nullptr);
  wchar_t text[80] = {};
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = form.Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(form.button.Handle());
  ti.lpszText = text;
  SendMessageW(tips.Handle(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(text, L"Go (Enter)");
}

TEST_F(ToolkitTest, AControlWhoseWindowCannotBeMadeRaisesTheSystemsError) {
  class Unmade : public TControl {
    const wchar_t* WindowClass() const override { return L"NoSuchWindowClass"; }
  };
  TForm form(L"F", 100, 50);
  Unmade control;
  try {
    control.Create(form, "Unmade", L"", {0, 0, 10, 10}, 0, true);
    ADD_FAILURE() << "no error raised";
  } catch (const Exception& e) {
    // No such class: Windows says 1407, Wine 1411.
    auto failure = [](DWORD code) {
      return SystemErrorText(code) + " (win error code: " + std::to_string(code) + ")";
    };
    EXPECT_TRUE(e.Message() == failure(1407) || e.Message() == failure(1411)) << e.Message();
  }
  EXPECT_EQ(control.Handle(), nullptr);
}

TEST_F(ToolkitTest, CheckBoxClickFiresForTheUserAndForTheProgram) {
  class F : public TForm {
   public:
    F() : TForm(L"F", 100, 50) {
      box.Create(*this, "Box", L"box", {0, 0, 80, 20}, 0, true);
      EndBuilding();
    }
    TCheckBox box;
  } form;
  int clicks = 0;
  form.box.OnClick = [&] { ++clicks; };
  SendMessageW(form.box.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.box.Checked());
  form.box.SetChecked(false);
  form.box.SetChecked(false);  // no change, no click
  EXPECT_EQ(clicks, 2);
}

TEST_F(ToolkitTest, ControlsMadeOutOfTabOrderEndInTabOrder) {
  class F : public TForm {
   public:
    F() : TForm(L"F", 200, 50) {
      second.Create(*this, "Second", L"2", {0, 0, 40, 20}, 1, true);
      small.Create(*this, "Small", L"+", {50, 0, 20, 20}, -1, true);
      first.Create(*this, "First", L"1", {80, 0, 40, 20}, 0, true);
      EndBuilding();
    }
    TButton second, first;
    TSpeedButton small;
  } form;
  HWND w = GetWindow(form.Handle(), GW_CHILD);
  for (TControl* c : {static_cast<TControl*>(&form.first), static_cast<TControl*>(&form.second),
                      static_cast<TControl*>(&form.small)}) {
    EXPECT_EQ(w, c->Handle()) << c->Name();
    w = GetWindow(w, GW_HWNDNEXT);
  }
}

TEST_F(ToolkitTest, SpeedButtonNeverTakesTheFocusAndActsOnAClick) {
  class F : public TForm {
   public:
    F() : TForm(L"F", 200, 50) {
      edit.Create(*this, "Edit", L"", {0, 0, 80, 20}, 0, true);
      small.Create(*this, "Small", L"+", {90, 0, 25, 21}, -1, true);
      EndBuilding();
    }
    TEdit edit;
    TSpeedButton small;
  } form;
  form.Show();
  form.edit.SetFocus();
  int clicks = 0;
  form.small.OnClick = [&] { ++clicks; };
  SendMessageW(form.small.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form.small.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  form.small.Click();
  wintest::PumpMessages();
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(form.edit.Focused());
  EXPECT_FALSE(GetWindowLongW(form.small.Handle(), GWL_STYLE) & WS_TABSTOP);
  // Released outside the button: no click.
  SendMessageW(form.small.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form.small.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(clicks, 2);
  // It shows pressed only while held with the mouse over it.
  auto pressed = [&] { return (SendMessageW(form.small.Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; };
  SendMessageW(form.small.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(pressed());
  SendMessageW(form.small.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form.small.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 50));
  EXPECT_FALSE(pressed());
  SendMessageW(form.small.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(pressed());
  // Losing the mouse to another window ends the press: the release is no click.
  ReleaseCapture();
  EXPECT_FALSE(pressed());
  SendMessageW(form.small.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 2);
  // The focus given to it goes back at once.
  SetFocus(form.small.Handle());
  EXPECT_TRUE(form.edit.Focused());
  form.small.SetEnabled(false);
  form.small.Click();
  EXPECT_EQ(clicks, 2);
}

// Finds the open message dialog of this process (a form other than `except`).
HWND findMessageDialog(HWND except) {
  struct Search {
    HWND except, found;
  } s{except, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (h != s->except && IsWindowVisible(h) && wintest::ClassName(h) == L"TarvenikForm") {
          s->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

struct SeenDialog {
  std::wstring caption, text, button;
  int children = 0;
  bool hasIcon = false;
};

// Shows the plain message dialog and answers it with `key` once it is open.
SeenDialog showAndAnswer(const std::wstring& text, WPARAM key) {
  SeenDialog seen;
  bool answered = false;
  int id = Application().AddIdleHandler([&] {
    if (answered) return;
    HWND dlg = findMessageDialog(nullptr);
    if (!dlg) return;
    answered = true;
    seen.caption = wintest::WindowText(dlg);
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      ++seen.children;
      if (wintest::ClassName(c) == L"Button")
        seen.button = wintest::WindowText(c);
      else
        seen.text = wintest::WindowText(c);
      if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) seen.hasIcon = true;
    }
    // To the dialog itself: its focus may not be settled yet, and a key posted nowhere is lost.
    PostMessageW(dlg, WM_KEYDOWN, key, 0);
  });
  ShowMessage(text);
  Application().RemoveIdleHandler(id);
  return seen;
}

TEST_F(ToolkitTest, PlainMessageDialogHasTheTitleNoIconAndOneOkButtonForEnterAndEsc) {
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    SeenDialog seen = showAndAnswer(L"Będzie w następnej wersji", key);
    EXPECT_EQ(seen.caption, L"Tytuł programu");
    EXPECT_EQ(seen.text, L"Będzie w następnej wersji");
    EXPECT_EQ(seen.button, L"OK");
    EXPECT_EQ(seen.children, 2);
    EXPECT_FALSE(seen.hasIcon);
  }
}

}  // namespace
