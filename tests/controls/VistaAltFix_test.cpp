// The keyboard-cue repaint fix on real forms: which windows it hooks, what it repaints and when,
// and that forms and dialogs coming and going never leave a hook behind.
#include "controls/VistaAltFix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "testing/WinTest.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/ListView.h"

namespace {

class CueForm : public TForm {
 public:
  explicit CueForm(const wchar_t* caption) : TForm(caption, 300, 200) {
    button.Create(*this, "Button", L"&OK", {10, 10, 75, 25}, 0, true);
    check.Create(*this, "Check", L"&Check", {10, 40, 100, 17}, 1, true);
    edit.Create(*this, "Edit", L"", {10, 65, 100, 21}, 2, true);
    list.Create(*this, "List", L"", {120, 10, 170, 100}, 3, true);
    list.AddColumn(L"Name", 100);
    EndBuilding();
    Show();
  }
  HWND header() const { return ListView_GetHeader(list.Handle()); }

  TButton button;
  TCheckBox check;
  TEdit edit;
  TListView list;
};

// Every WM_PAINT that a watched window receives, in order.
struct PaintLog {
  std::vector<HWND> painted;
  int count(HWND h) const { return static_cast<int>(std::count(painted.begin(), painted.end(), h)); }
  std::size_t position(HWND h) const {
    return std::find(painted.begin(), painted.end(), h) - painted.begin();
  }
};

constexpr UINT_PTR kWatchId = 0x7e57;

LRESULT CALLBACK watchPaints(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  if (msg == WM_PAINT) reinterpret_cast<PaintLog*>(ref)->painted.push_back(h);
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, &watchPaints, kWatchId);
  return DefSubclassProc(h, msg, wp, lp);
}

void watch(HWND h, PaintLog& log) {
  SetWindowSubclass(h, &watchPaints, kWatchId, reinterpret_cast<DWORD_PTR>(&log));
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) watch(c, log);
}

void unwatch(HWND h) {
  RemoveWindowSubclass(h, &watchPaints, kWatchId);
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) unwatch(c);
}

// Whether a hook sits in front of the window's own procedure: the window's procedure is no longer
// its class's. The fix's hook is the only one on a form that is not being watched.
bool hooked(HWND h) {
  return static_cast<ULONG_PTR>(GetWindowLongPtrW(h, GWLP_WNDPROC)) != GetClassLongPtrW(h, GCLP_WNDPROC);
}

void sendCue(const TForm& form) {
  SendMessageW(form.Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
}

// Handles every waiting message, paints included, without an idle moment.
void settle() {
  while (Application().ProcessMessage()) {
  }
}

class VistaAltFixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    form = std::make_unique<CueForm>(L"Cue");
    settle();
  }
  void TearDown() override {
    fix.reset();
    other.reset();
    form.reset();
  }
  // Settles, then runs one idle moment and returns the paints it caused.
  PaintLog& idleMoment() {
    settle();
    log.painted.clear();
    Application().Idle();
    return log;
  }

  std::unique_ptr<TVistaAltFix> fix;
  std::unique_ptr<CueForm> form, other;
  PaintLog log;
};

TEST_F(VistaAltFixTest, TheSystemDecidesByDefault) {
  // Under Wine without a theme, or a test executable without the common controls 6 manifest,
  // the answer is usually "inactive"; either way it is the one the query gives.
  TVistaAltFix systemFix;
  idleMoment();
  EXPECT_EQ(hooked(form->Handle()), TVistaAltFix::NeededBySystem());
}

TEST_F(VistaAltFixTest, AnInactiveFixHooksNoFormAndDoesNoIdleWork) {
  fix = std::make_unique<TVistaAltFix>(false);
  watch(form->Handle(), log);
  idleMoment();
  sendCue(*form);
  EXPECT_TRUE(idleMoment().painted.empty());
  unwatch(form->Handle());
  EXPECT_FALSE(hooked(form->Handle()));
}

TEST_F(VistaAltFixTest, CueMessagesRepaintTheFormAndEveryWindowOnceAtTheIdleMoment) {
  fix = std::make_unique<TVistaAltFix>(true);
  EXPECT_FALSE(hooked(form->Handle()));
  idleMoment();
  EXPECT_TRUE(hooked(form->Handle()));

  watch(form->Handle(), log);
  sendCue(*form);
  sendCue(*form);
  const PaintLog& paints = idleMoment();
  const HWND windows[] = {form->Handle(), form->button.Handle(), form->check.Handle(), form->edit.Handle(),
                          form->list.Handle()};
  for (HWND h : windows) EXPECT_EQ(paints.count(h), 1) << wintest::ClassName(h);
  // The list view may paint its header itself too, before the walk reaches it.
  EXPECT_GE(paints.count(form->header()), 1);
  // A parent before its children.
  EXPECT_EQ(paints.position(form->Handle()), 0u);
  EXPECT_LT(paints.position(form->list.Handle()), paints.position(form->header()));

  EXPECT_TRUE(idleMoment().painted.empty()) << "repainted once only";
}

TEST_F(VistaAltFixTest, OnlyTheFormThatGotTheCueIsRepainted) {
  fix = std::make_unique<TVistaAltFix>(true);
  other = std::make_unique<CueForm>(L"Other");
  idleMoment();
  EXPECT_TRUE(hooked(form->Handle()));
  EXPECT_TRUE(hooked(other->Handle()));
  watch(form->Handle(), log);
  watch(other->Handle(), log);
  sendCue(*other);
  // Other messages are passed on and leave no repaint behind.
  SendMessageW(form->Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  SendMessageW(form->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Renamed"));
  EXPECT_EQ(form->Caption(), L"Renamed");
  const PaintLog& paints = idleMoment();
  EXPECT_EQ(paints.count(form->Handle()), 0);
  EXPECT_EQ(paints.count(form->button.Handle()), 0);
  EXPECT_EQ(paints.count(other->Handle()), 1);
  EXPECT_EQ(paints.count(other->button.Handle()), 1);
}

TEST_F(VistaAltFixTest, AChangeOfRepaintAllReachesOnlyFormsTrackedAfterIt) {
  fix = std::make_unique<TVistaAltFix>(true);
  idleMoment();
  fix->SetRepaintAll(false);
  other = std::make_unique<CueForm>(L"Buttons only");
  idleMoment();
  watch(form->Handle(), log);
  watch(other->Handle(), log);
  sendCue(*form);
  sendCue(*other);
  const PaintLog& paints = idleMoment();
  // Tracked before the change, with the default: everything.
  EXPECT_EQ(paints.count(form->Handle()), 1);
  EXPECT_EQ(paints.count(form->edit.Handle()), 1);
  EXPECT_EQ(paints.count(form->button.Handle()), 1);
  // Tracked after it: the push button and the check box only.
  EXPECT_EQ(paints.count(other->Handle()), 0);
  EXPECT_EQ(paints.count(other->edit.Handle()), 0);
  EXPECT_EQ(paints.count(other->list.Handle()), 0);
  EXPECT_EQ(paints.count(other->header()), 0);
  EXPECT_EQ(paints.count(other->button.Handle()), 1);
  EXPECT_EQ(paints.count(other->check.Handle()), 1);
}

TEST_F(VistaAltFixTest, AMessageDialogIsTrackedWhileOpenAndForgottenAfter) {
  fix = std::make_unique<TVistaAltFix>(true);
  idleMoment();
  HWND dialog = nullptr;
  bool hookedWhileOpen = false, formHookedWhileOpen = false;
  // Runs after the fix's own idle handler, inside the dialog's modal loop.
  int closer = Application().AddIdleHandler([&] {
    if (dialog) return;
    for (TForm* f : TForm::All()) {
      if (f == form.get()) continue;
      dialog = f->Handle();
      hookedWhileOpen = hooked(dialog);
      formHookedWhileOpen = hooked(form->Handle());
      sendCue(*f);
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
  });
  ShowMessage(L"Message");
  Application().RemoveIdleHandler(closer);

  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(hookedWhileOpen);
  EXPECT_TRUE(formHookedWhileOpen);
  EXPECT_FALSE(IsWindow(dialog));
  idleMoment();
  EXPECT_TRUE(hooked(form->Handle()));
}

TEST_F(VistaAltFixTest, FormsDestroyedBetweenIdleMomentsLeaveNothingBehind) {
  fix = std::make_unique<TVistaAltFix>(true);
  other = std::make_unique<CueForm>(L"Short-lived");
  idleMoment();
  ASSERT_TRUE(hooked(other->Handle()));
  // A pending repaint for a form that is destroyed before the idle moment.
  sendCue(*other);
  other.reset();
  // A form that lives and dies between two idle moments is never tracked.
  auto flash = std::make_unique<CueForm>(L"Flash");
  sendCue(*flash);
  EXPECT_FALSE(hooked(flash->Handle()));
  flash.reset();
  idleMoment();
  EXPECT_TRUE(hooked(form->Handle()));

  // A new form, possibly at a dead one's address, gets a fresh tracker and hook.
  other = std::make_unique<CueForm>(L"Again");
  EXPECT_FALSE(hooked(other->Handle()));
  idleMoment();
  EXPECT_TRUE(hooked(other->Handle()));
  watch(other->Handle(), log);
  sendCue(*other);
  EXPECT_EQ(idleMoment().count(other->Handle()), 1);
}

TEST_F(VistaAltFixTest, FreeingTheFixTakesItsHookOffLiveForms) {
  fix = std::make_unique<TVistaAltFix>(true);
  idleMoment();
  ASSERT_TRUE(hooked(form->Handle()));
  fix.reset();
  EXPECT_FALSE(hooked(form->Handle()));
  // The form goes on working, and no idle work is left.
  watch(form->Handle(), log);
  sendCue(*form);
  EXPECT_TRUE(idleMoment().painted.empty());
  SendMessageW(form->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Still here"));
  EXPECT_EQ(form->Caption(), L"Still here");
}

TEST_F(VistaAltFixTest, TwoFixesHookTheSameFormSeparately) {
  fix = std::make_unique<TVistaAltFix>(true);
  TVistaAltFix second(true);
  idleMoment();
  // Each hook notes the cue and each fix repaints the form.
  watch(form->Handle(), log);
  sendCue(*form);
  EXPECT_EQ(idleMoment().count(form->Handle()), 2);
  unwatch(form->Handle());
  fix.reset();
  EXPECT_TRUE(hooked(form->Handle()));
  watch(form->Handle(), log);
  sendCue(*form);
  EXPECT_EQ(idleMoment().count(form->Handle()), 1);
  unwatch(form->Handle());
}

}  // namespace
