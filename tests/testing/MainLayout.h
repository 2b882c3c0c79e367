#pragma once
// The main window's control table as the tests expect it, for the tests of the window at every
// display scale.
#include <windows.h>

#include <gtest/gtest.h>

#include <string_view>

namespace wintest {

struct ExpectedControl {
  const char* name;
  const wchar_t* windowClass;
  const char* caption;  // UTF-8; nullptr: not checked (lists)
  RECT rect;
  bool enabled;
  int tabOrder;
};

// The main window's controls as the window must show them at 96 dpi, written out independently of
// the program's own layout table.
// clang-format off
inline const ExpectedControl kMainWindowControls[] = {
    {"Connect", L"Button", "Łącz się z portem COM:", {5, 5, 165, 26}, true, 0},
    {"Port", L"ComboBox", nullptr, {170, 5, 250, 26}, false, 1},
    {"BaudRateLabel", L"Static", "BaudRate:", {255, 5, 310, 26}, true, -1},
    {"BaudRate", L"ComboBox", "9600", {315, 5, 395, 26}, false, 2},
    {"CR", L"Button", "CR", {315, 30, 350, 51}, true, 3},
    {"LF", L"Button", "LF", {360, 30, 395, 51}, true, 4},
    {"SendBefore", L"Button", "Wyślij polecenia przed uruchomieniem aplikacji:", {5, 30, 305, 51}, false, 5},
    {"SendBeforeText", L"Edit", "", {5, 55, 365, 76}, false, 6},
    {"SendBeforeAdd", L"Button", "+", {370, 55, 395, 76}, false, -1},
    {"SendBeforeEdit", L"Button", "E", {370, 85, 395, 106}, false, -1},
    {"SendBeforeDelete", L"Button", "-", {370, 115, 395, 136}, false, -1},
    {"SendBeforeCommands", L"SysListView32", nullptr, {5, 80, 365, 140}, false, 7},
    {"StartApplication", L"Button", "Uruchom program lub wyświetl listę aplikacji do uruchomienia:",
     {5, 145, 395, 162}, true, 8},
    {"ApplicationList", L"SysListView32", nullptr, {5, 165, 365, 245}, false, 9},
    {"ApplicationAdd", L"Button", "+", {370, 165, 395, 186}, false, -1},
    {"ApplicationEdit", L"Button", "E", {370, 195, 395, 216}, false, -1},
    {"ApplicationDelete", L"Button", "-", {370, 225, 395, 246}, false, -1},
    {"Label1", L"Static", "Sprawdzaj co", {5, 250, 80, 271}, true, -1},
    {"Interval", L"Edit", "5", {80, 250, 140, 272}, true, 16},
    {"Label2", L"Static", "sekund, czy aplikacja zakończyła działanie.", {145, 250, 396, 272}, true, -1},
    {"SendAfter", L"Button", "Wyślij polecenia po zamknięciu aplikacji:", {5, 275, 221, 292}, false, 10},
    {"SendAfterText", L"Edit", "", {5, 295, 365, 316}, false, 11},
    {"SendAfterAdd", L"Button", "+", {370, 295, 395, 316}, false, -1},
    {"SendAfterEdit", L"Button", "E", {370, 325, 395, 346}, false, -1},
    {"SendAfterDelete", L"Button", "-", {370, 355, 395, 376}, false, -1},
    {"SendAfterCommands", L"SysListView32", nullptr, {5, 320, 365, 380}, false, 12},
    {"Cancel", L"Button", "Anuluj", {5, 385, 95, 415}, true, 15},
    {"Help", L"Button", "Pomoc", {100, 385, 190, 415}, true, 14},
    {"OK", L"Button", "OK", {205, 385, 395, 415}, true, 13},
};
// clang-format on

// The row of the control of that name (the first row when there is none, which the caller's
// check of the name then tells).
inline const ExpectedControl& ExpectedMainControl(std::string_view name) {
  for (const ExpectedControl& e : kMainWindowControls)
    if (name == e.name) return e;
  ADD_FAILURE() << "no control " << name << " in the table";
  return kMainWindowControls[0];
}

}  // namespace wintest
