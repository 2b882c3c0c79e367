// The floor: the configurator's main window made the plainest way Windows allows, as the
// benchmarks' baseline. The same 29 controls (classes, styles, positions, Tahoma 8, the same
// manifest), the serial-port map read, the settings file's keys and its three list sections read
// with the profile functions, and the lists' rows put into the list views. No class library, no
// translation layer, no icons; it is what the real window cannot be faster than.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Control {
  const wchar_t* cls;
  const wchar_t* caption;
  DWORD style;
  DWORD exStyle;
  int x, y, w, h;
};

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kSpeed = BS_PUSHBUTTON;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kList = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
constexpr DWORD kOff = WS_DISABLED;

// In tab order, as the real window puts them.
const Control kControls[29] = {
    {L"BUTTON", L"Łącz się z portem COM:", kCheck, 0, 5, 5, 160, 21},
    {L"COMBOBOX", L"", kCombo | kOff, 0, 170, 5, 80, 21},
    {L"COMBOBOX", L"", kCombo | kOff, 0, 315, 5, 80, 21},
    {L"BUTTON", L"CR", kCheck, 0, 315, 30, 35, 21},
    {L"BUTTON", L"LF", kCheck, 0, 360, 30, 35, 21},
    {L"BUTTON", L"Wyślij polecenia przed uruchomieniem aplikacji:", kCheck | kOff, 0, 5, 30, 300, 21},
    {L"EDIT", L"", kEdit | kOff, WS_EX_CLIENTEDGE, 5, 55, 360, 21},
    {WC_LISTVIEWW, L"", kList | LVS_NOCOLUMNHEADER | kOff, WS_EX_CLIENTEDGE, 5, 80, 360, 60},
    {L"BUTTON", L"Uruchom program lub wyświetl listę aplikacji do uruchomienia:", kCheck, 0, 5, 145, 390, 17},
    {WC_LISTVIEWW, L"", kList | kOff, WS_EX_CLIENTEDGE, 5, 165, 360, 80},
    {L"BUTTON", L"Wyślij polecenia po zamknięciu aplikacji:", kCheck | kOff, 0, 5, 275, 216, 17},
    {L"EDIT", L"", kEdit | kOff, WS_EX_CLIENTEDGE, 5, 295, 360, 21},
    {WC_LISTVIEWW, L"", kList | LVS_NOCOLUMNHEADER | kOff, WS_EX_CLIENTEDGE, 5, 320, 360, 60},
    {L"BUTTON", L"OK", kButton, 0, 205, 385, 190, 30},
    {L"BUTTON", L"Pomoc", kButton, 0, 100, 385, 90, 30},
    {L"BUTTON", L"Anuluj", kButton, 0, 5, 385, 90, 30},
    {L"EDIT", L"5", kEdit | ES_MULTILINE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, 80, 250, 60, 22},
    {L"STATIC", L"BaudRate:", kLabel, 0, 255, 5, 55, 21},
    {L"BUTTON", L"+", kSpeed | kOff, 0, 370, 55, 25, 21},
    {L"BUTTON", L"E", kSpeed | kOff, 0, 370, 85, 25, 21},
    {L"BUTTON", L"-", kSpeed | kOff, 0, 370, 115, 25, 21},
    {L"BUTTON", L"+", kSpeed | kOff, 0, 370, 165, 25, 21},
    {L"BUTTON", L"E", kSpeed | kOff, 0, 370, 195, 25, 21},
    {L"BUTTON", L"-", kSpeed | kOff, 0, 370, 225, 25, 21},
    {L"STATIC", L"Sprawdzaj co", kLabel, 0, 5, 250, 75, 21},
    {L"STATIC", L"sekund, czy aplikacja zakończyła działanie.", kLabel, 0, 145, 250, 251, 22},
    {L"BUTTON", L"+", kSpeed | kOff, 0, 370, 295, 25, 21},
    {L"BUTTON", L"E", kSpeed | kOff, 0, 370, 325, 25, 21},
    {L"BUTTON", L"-", kSpeed | kOff, 0, 370, 355, 25, 21},
};
enum { kPort = 1, kBaud = 2, kBefore = 7, kApps = 9, kAfter = 12 };

std::wstring wide(const char* s, int n = -1) {
  int len = MultiByteToWideChar(CP_ACP, 0, s, n, nullptr, 0);
  std::wstring w(static_cast<size_t>(len), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s, n, w.data(), len);
  if (n < 0 && !w.empty()) w.pop_back();
  return w;
}

std::string ini;

std::string readKey(const char* section, const char* key, const char* def) {
  char buf[2048];
  DWORD n = GetPrivateProfileStringA(section, key, def, buf, sizeof buf, ini.c_str());
  return std::string(buf, n);
}

// A whole section in one call: key=value lines, each ended by a NUL.
std::vector<char> readSection(const char* section) {
  std::vector<char> buf(1 << 16);
  for (;;) {
    DWORD n = GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), ini.c_str());
    if (n + 2 < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 4);
  }
}

// The value of "<name>[i]" for i = 0 ... n-1 from a section's text, in that order.
std::vector<std::string> entries(const std::vector<char>& section, const char* name, int n) {
  std::vector<std::string> values(static_cast<size_t>(n));
  size_t len = std::strlen(name);
  for (size_t at = 0; at < section.size();) {
    const char* line = section.data() + at;
    size_t lineLen = std::strlen(line);
    at += lineLen + 1;
    if (lineLen <= len + 2 || std::strncmp(line, name, len) != 0 || line[len] != '[') continue;
    char* end = nullptr;
    long i = std::strtol(line + len + 1, &end, 10);
    if (i < 0 || i >= n || end[0] != ']' || end[1] != '=') continue;
    values[static_cast<size_t>(i)] = std::string(end + 2);
  }
  return values;
}

int count(const char* section) {
  int n = GetPrivateProfileIntA(section, "Count", 0, ini.c_str());
  return n < 0 ? 0 : (n > 10000 ? 10000 : n);
}

void addRows(HWND list, const std::vector<std::string>& texts, int column) {
  for (size_t i = 0; i < texts.size(); ++i) {
    std::wstring w = wide(texts[i].c_str());
    LVITEMW item{};
    item.iItem = static_cast<int>(i);
    item.iSubItem = column;
    item.pszText = w.data();
    if (column == 0) {
      item.mask = LVIF_TEXT;
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    } else {
      SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
}

void column(HWND list, int i, const wchar_t* caption, int width) {
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = const_cast<wchar_t*>(caption);
  col.cx = width;
  col.iSubItem = i;
  SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
}

void load(HWND* c) {
  const char* s = "Settings";
  bool connect = GetPrivateProfileIntA(s, "RS232Connect", 1, ini.c_str()) != 0;
  std::string port = readKey(s, "RS232Port", "");
  std::string baud = readKey(s, "RS232BaudRate", "9600");
  const char* flags[] = {"CR", "LF", "SendBefore", "StartApplication"};
  const int flagControls[] = {3, 4, 5, 8};
  for (int i = 0; i < 4; ++i)
    SendMessageW(c[flagControls[i]], BM_SETCHECK, GetPrivateProfileIntA(s, flags[i], 1, ini.c_str()) != 0, 0);
  int interval = GetPrivateProfileIntA(s, "Interval", 5, ini.c_str());
  SetWindowTextW(c[16], std::to_wstring(interval < 1 ? 1 : interval > 60 ? 60 : interval).c_str());
  SendMessageW(c[10], BM_SETCHECK, GetPrivateProfileIntA(s, "SendAfter", 1, ini.c_str()) != 0, 0);
  SendMessageW(c[0], BM_SETCHECK, connect, 0);
  SendMessageW(c[kPort], CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(wide(port.c_str()).c_str()));
  SendMessageW(c[kBaud], CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(wide(baud.c_str()).c_str()));

  struct List {
    const char* section;
    HWND list;
  };
  for (List l :
       {List{"SendBefore", c[kBefore]}, List{"Application", c[kApps]}, List{"SendAfter", c[kAfter]}}) {
    int n = count(l.section);
    std::vector<char> text = readSection(l.section);
    SendMessageW(l.list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(l.list, LVM_SETITEMCOUNT, n, LVSICF_NOINVALIDATEALL);
    if (l.list == c[kApps]) {
      addRows(l.list, entries(text, "Name", n), 0);
      addRows(l.list, entries(text, "Path", n), 1);
      addRows(l.list, entries(text, "Parameters", n), 2);
      for (int i = 0; i < 3; ++i) SendMessageW(l.list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
    } else {
      addRows(l.list, entries(text, "Command", n), 0);
    }
    SendMessageW(l.list, WM_SETREDRAW, TRUE, 0);
  }
  // The enablement rule of the four check boxes.
  auto checked = [&](int i) { return SendMessageW(c[i], BM_GETCHECK, 0, 0) == BST_CHECKED; };
  const bool before = checked(5) && connect, apps = checked(8), after = checked(10) && connect;
  for (int i : {1, 2, 3, 4, 5, 10}) EnableWindow(c[i], connect);
  for (int i : {6, 7, 18}) EnableWindow(c[i], before);
  for (int i : {9, 16, 21}) EnableWindow(c[i], apps);
  for (int i : {11, 12, 26}) EnableWindow(c[i], after);
}

void ports(HWND combo) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return;
  for (DWORD i = 0;; ++i) {
    char name[256], data[256];
    DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataLen) !=
        ERROR_SUCCESS)
      break;
    if (type == REG_SZ)
      SendMessageW(combo, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(wide(data, static_cast<int>(dataLen) - 1).c_str()));
  }
  RegCloseKey(key);
  SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"COM1"));
}

LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) PostQuitMessage(0);
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  char self[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  ini.assign(self, n);
  ini.erase(ini.find_last_of('\\') + 1);
  ini += "Tarvenik.ini";

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"Floor";
  RegisterClassExW(&wc);
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  RECT r{0, 0, 400, 420};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  HWND form =
      CreateWindowExW(exStyle, L"Floor", L"Tarvenik - Konfigurator", style, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  HWND c[29];
  for (int i = 0; i < 29; ++i) {
    const Control& k = kControls[i];
    c[i] = CreateWindowExW(k.exStyle, k.cls, k.caption, WS_CHILD | WS_VISIBLE | k.style, k.x, k.y, k.w, k.h,
                           form, nullptr, instance, nullptr);
    SendMessageW(c[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ports(c[kPort]);
  for (const wchar_t* rate : {L"600", L"1200", L"2400", L"4800", L"9600", L"14400", L"19200", L"38400",
                              L"56000", L"57600", L"115200", L"256000"})
    SendMessageW(c[kBaud], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rate));
  SendMessageW(c[kBaud], CB_SETCURSEL, 4, 0);
  for (int i : {kBefore, kApps, kAfter})
    SendMessageW(c[i], LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  column(c[kBefore], 0, L"Polecenie", 356);
  column(c[kAfter], 0, L"Polecenie", 356);
  column(c[kApps], 0, L"Nazwa", 118);
  column(c[kApps], 1, L"Ścieżka", 118);
  column(c[kApps], 2, L"Parametry", 118);
  load(c);

  RECT wr, work;
  GetWindowRect(form, &wr);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(form, nullptr, (work.right - work.left - (wr.right - wr.left)) / 2,
               (work.bottom - work.top - (wr.bottom - wr.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(form, SW_SHOW);
  SetFocus(c[0]);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(font);
  return 0;
}
