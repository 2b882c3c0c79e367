// Both windows at 150 % and 200 % display scale. The display's dpi is read when a process starts,
// so the one test that runs by default sets it in the registry and starts this program again
// once per dpi, with the window tests enabled; it puts the setting back afterwards.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "settings/TarvenikIni.h"
#include "testing/ImageSlot.h"
#include "testing/MainLayout.h"
#include "testing/StartUp.h"
#include "testing/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Dpi.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

constexpr wchar_t kDpiVariable[] = L"TARVENIK_TEST_DPI";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

// The dpi the window tests expect, 0 when they are not to run.
UINT expectedDpi() {
  wchar_t buf[16] = {};
  if (!GetEnvironmentVariableW(kDpiVariable, buf, 16)) return 0;
  return static_cast<UINT>(_wtoi(buf));
}

// Sets the display's dpi for processes started from now on; puts the former setting back.
class DisplayDpiSetting {
 public:
  DisplayDpiSetting() {
    RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                    &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, kLogPixels, nullptr, &type_, reinterpret_cast<BYTE*>(&old_), &size) ==
           ERROR_SUCCESS;
  }
  ~DisplayDpiSetting() {
    if (had_) {
      RegSetValueExW(key_, kLogPixels, 0, type_, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    } else {
      RegDeleteValueW(key_, kLogPixels);
    }
    RegCloseKey(key_);
  }
  DisplayDpiSetting(const DisplayDpiSetting&) = delete;
  DisplayDpiSetting& operator=(const DisplayDpiSetting&) = delete;
  void Set(DWORD dpi) {
    RegSetValueExW(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }

 private:
  HKEY key_ = nullptr;
  DWORD type_ = REG_DWORD;
  DWORD old_ = 0;
  bool had_ = false;
};

// Runs this program's window tests at `dpi`; returns its exit code.
DWORD runWindowTestsAt(UINT dpi) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring cmd = L"\"" + std::wstring(self) + L"\" --gtest_filter=ScaledWindows.*";
  SetEnvironmentVariableW(kDpiVariable, std::to_wstring(dpi).c_str());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  BOOL started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableW(kDpiVariable, nullptr);
  if (!started) return 0xFFFFFFFF;
  DWORD code = 0xFFFFFFFE;
  if (WaitForSingleObject(pi.hProcess, 90000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  TerminateProcess(pi.hProcess, code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST(Scaling, BothWindowsAt150And200Percent) {
  if (expectedDpi()) GTEST_SKIP() << "the window tests themselves run";
  DisplayDpiSetting setting;
  for (UINT dpi : {144u, 192u}) {
    SCOPED_TRACE(dpi);
    setting.Set(dpi);
    EXPECT_EQ(runWindowTestsAt(dpi), 0u);
  }
}

// --- the window tests, run at the dpi the first test sets ----------------------------------------

struct Table {
  const char* name;
  Bounds bounds;  // as the window's table gives it, for 96 dpi
};

// A few controls of each window's table: different sizes, places and kinds; those of the main
// window as its table in testing/MainLayout.h gives them.
const char* const kMainControls[] = {"Connect",
                                     "BaudRate",
                                     "CR",
                                     "LF",
                                     "SendBeforeCommands",
                                     "StartApplication",
                                     "ApplicationList",
                                     "ApplicationDelete",
                                     "Interval",
                                     "Label2",
                                     "OK"};
// clang-format off
const Table kDialogControls[] = {
    {"Label1", {5, 55, 390, 21}}, {"Path", {5, 80, 360, 21}},    {"SelectFile", {370, 80, 25, 21}},
    {"OK", {205, 165, 190, 30}},  {"Cancel", {5, 165, 90, 30}},
};
// clang-format on

class ScaledWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    dpi_ = expectedDpi();
    if (!dpi_) GTEST_SKIP() << "run at another dpi by Scaling.BothWindowsAt150And200Percent";
    wintest::SetUpApplication();
    std::ofstream(tarvenik_ini::SettingsFilePathIn(dir_.Path().string()))
        << "[Settings]\r\nStartApplication=1\r\n";
    main_ = wintest::MakeMain(dir_.Path());
    dialog_ = wintest::MakeSelectApplication();
  }
  void TearDown() override {
    dialog_.reset();
    Main = nullptr;
    main_.reset();
  }
  int scaled(int v) const { return MulDiv(v, static_cast<int>(dpi_), 96); }
  // Tahoma 8 pt at the display's dpi: 11 pixels high at 96 dpi, 16 at 144, 21 at 192.
  int fontHeight() const { return -MulDiv(8, static_cast<int>(dpi_), 72); }

  void expectClientSize(const TForm& form, int width, int height) {
    RECT r;
    GetClientRect(form.Handle(), &r);
    EXPECT_EQ(r.right, scaled(width));
    EXPECT_EQ(r.bottom, scaled(height));
  }
  void expectTable(const TForm& form, const Table* begin, const Table* end, bool skipComboHeight) {
    for (const Table* t = begin; t != end; ++t) {
      SCOPED_TRACE(t->name);
      TControl* c = form.FindControl(t->name);
      ASSERT_NE(c, nullptr);
      RECT r = c->BoundsRect();
      EXPECT_EQ(r.left, scaled(t->bounds.left));
      EXPECT_EQ(r.top, scaled(t->bounds.top));
      EXPECT_EQ(r.right - r.left, scaled(t->bounds.width));
      // A drop-down list sizes its own height.
      if (!(skipComboHeight && wintest::ClassName(c->Handle()) == L"ComboBox")) {
        EXPECT_EQ(r.bottom - r.top, scaled(t->bounds.height));
      }
    }
  }
  // Every label's and check box's caption fits its control in the form's font (a check box's
  // text follows its check mark).
  void expectCaptionsFit(const TForm& form) {
    ScreenDC screen;
    HDC dc = screen.get();
    SelectedObject font(dc, form.Font());
    for (TControl* c : form.Controls()) {
      const bool checkBox = dynamic_cast<TCheckBox*>(c) != nullptr;
      if (!checkBox && !dynamic_cast<TLabel*>(c)) continue;
      SCOPED_TRACE(c->Name());
      const std::wstring text = c->Caption();
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      RECT r = c->BoundsRect();
      if (checkBox) {
        // The size the check box needs for its mark and caption, as it lays them out itself.
        SIZE ideal{};
        ASSERT_TRUE(SendMessageW(c->Handle(), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
        size = ideal;
      }
      EXPECT_LE(size.cx, r.right - r.left) << WideToUtf8(text);
      EXPECT_LE(size.cy, r.bottom - r.top);
    }
  }

  UINT dpi_ = 0;
  TempDir dir_;
  std::unique_ptr<TMain> main_;
  std::unique_ptr<TSelectApplication> dialog_;
};

TEST_F(ScaledWindows, TheDisplayHasTheDpiSet) {
  EXPECT_EQ(SystemDpi(), dpi_);
  EXPECT_EQ(main_->Dpi(), dpi_);
  EXPECT_EQ(dialog_->Dpi(), dpi_);
}

TEST_F(ScaledWindows, MainWindowIsItsTableTimesTheScale) {
  expectClientSize(*main_, 400, 420);
  std::vector<Table> mainTable;
  for (const char* name : kMainControls) {
    const RECT& r = wintest::ExpectedMainControl(name).rect;
    mainTable.push_back({name,
                         {static_cast<int>(r.left), static_cast<int>(r.top),
                          static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)}});
  }
  expectTable(*main_, mainTable.data(), mainTable.data() + mainTable.size(), true);
  LOGFONTW font{};
  GetObjectW(main_->Font(), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, fontHeight());
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
  for (TControl* c : main_->Controls())
    EXPECT_EQ(SendMessageW(c->Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(main_->Font()))
        << c->Name();
  expectCaptionsFit(*main_);
}

TEST_F(ScaledWindows, EntryDialogIsItsTableTimesTheScale) {
  expectClientSize(*dialog_, 400, 201);
  expectTable(*dialog_, std::begin(kDialogControls), std::end(kDialogControls), false);
  EXPECT_EQ(SendMessageW(dialog_->Path.Handle(), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(dialog_->Font()));
  expectCaptionsFit(*dialog_);
}

TEST_F(ScaledWindows, SpinFieldArrowsAreLaidOutForTheScale) {
  TSpinEdit& spin = main_->Interval;
  RECT field = spin.BoundsRect();
  const int width = field.right - field.left, height = field.bottom - field.top;
  EXPECT_EQ(height, scaled(22));
  EXPECT_GE(height, spin.MinHeight());
  RECT pair = spin.Button().BoundsRect();
  EXPECT_EQ(pair.right - pair.left, scaled(15));
  EXPECT_EQ(pair.left, width - scaled(15) - 5);
  EXPECT_EQ(pair.top, 0);
  EXPECT_EQ(pair.bottom - pair.top, height - 5);
  RECT up = spin.Button().UpButton().BoundsRect();
  RECT down = spin.Button().DownButton().BoundsRect();
  EXPECT_EQ(up.bottom - up.top, (height - 5) / 2);
  EXPECT_EQ(down.top, up.bottom - 1);
  EXPECT_EQ(down.bottom, height - 5);
  RECT text{};
  SendMessageW(spin.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  EXPECT_LE(text.right, pair.left);
  // The arrows still step.
  SendMessageW(spin.Button().UpButton().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(spin.Button().UpButton().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(spin.Value(), 6);
}

TEST_F(ScaledWindows, RowIconsHaveTheScaledSmallIconSize) {
  EXPECT_EQ(wintest::ImageSize(main_->Icons.Handle()), std::make_pair(scaled(16), scaled(16)));
  int cx = 0, cy = 0;
  ImageList_GetIconSize(ListView_GetImageList(main_->ApplicationList.Handle(), LVSIL_SMALL), &cx, &cy);
  EXPECT_EQ(cx, scaled(16));
  EXPECT_EQ(cy, scaled(16));
  // An icon taken from a program is scaled to that size when added.
  main_->AddApplication("Notatnik", "C:\\windows\\notepad.exe", "");
  main_->AddApplication("Tekst", "C:\\windows\\win.ini", "");
  EXPECT_EQ(main_->Icons.Count(), 2);
  EXPECT_EQ(main_->ApplicationList.ImageIndex(0), 0);
  EXPECT_EQ(main_->ApplicationList.ImageIndex(1), -1);
  ICONINFO info{};
  UniqueIcon icon = main_->Icons.GetIcon(0);
  ASSERT_TRUE(GetIconInfo(icon.get(), &info));
  BITMAP bm{};
  GetObjectW(info.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, scaled(16));
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(ScaledWindows, MessageDialogIsScaled) {
  struct {
    RECT client{}, button{}, text{};
    LONG fontHeight = 0;
  } seen;
  int id = Application().AddIdleHandler([&] {
    HWND dlg = GetActiveWindow();
    if (!dlg || dlg == main_->Handle() || !IsWindowVisible(dlg)) return;
    GetClientRect(dlg, &seen.client);
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(c, &r);
      MapWindowPoints(HWND_DESKTOP, dlg, reinterpret_cast<POINT*>(&r), 2);
      (wintest::ClassName(c) == L"Button" ? seen.button : seen.text) = r;
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font, &font);
      seen.fontHeight = font.lfHeight;
    }
    PostMessageW(dlg, WM_KEYDOWN, VK_RETURN, 0);
  });
  ShowMessage(L"Scaled");
  Application().RemoveIdleHandler(id);
  EXPECT_EQ(seen.button.right - seen.button.left, scaled(75));
  EXPECT_EQ(seen.button.bottom - seen.button.top, scaled(25));
  EXPECT_NEAR(seen.client.bottom - seen.button.bottom, scaled(10), 1);
  EXPECT_EQ(seen.text.left, scaled(16));
  EXPECT_GE(seen.client.right, scaled(200));
  EXPECT_EQ(seen.fontHeight, fontHeight());
}

}  // namespace
