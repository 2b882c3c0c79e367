#include <array>

#include "ui/Unit1.h"

#define CTL(member) [](TMain& m) -> TControl& { return m.member; }

namespace {

// clang-format off
const std::array<MainControl, 29> kLayout = {{
    {"Connect", "Łącz się z portem COM:", {5, 5, 160, 21}, 0, true, CTL(Connect)},
    {"Port", "", {170, 5, 80, 21}, 1, false, CTL(Port)},
    {"BaudRateLabel", "BaudRate:", {255, 5, 55, 21}, -1, true, CTL(BaudRateLabel)},
    {"BaudRate", "", {315, 5, 80, 21}, 2, false, CTL(BaudRate)},
    {"CR", "CR", {315, 30, 35, 21}, 3, true, CTL(CR)},
    {"LF", "LF", {360, 30, 35, 21}, 4, true, CTL(LF)},
    {"SendBefore", "Wyślij polecenia przed uruchomieniem aplikacji:", {5, 30, 300, 21}, 5, false, CTL(SendBefore)},
    {"SendBeforeText", "", {5, 55, 360, 21}, 6, false, CTL(SendBeforeText)},
    {"SendBeforeAdd", "+", {370, 55, 25, 21}, -1, false, CTL(SendBeforeAdd)},
    {"SendBeforeEdit", "E", {370, 85, 25, 21}, -1, false, CTL(SendBeforeEdit)},
    {"SendBeforeDelete", "-", {370, 115, 25, 21}, -1, false, CTL(SendBeforeDelete)},
    {"SendBeforeCommands", "", {5, 80, 360, 60}, 7, false, CTL(SendBeforeCommands)},
    {"StartApplication", "Uruchom program lub wyświetl listę aplikacji do uruchomienia:", {5, 145, 390, 17}, 8,
     true, CTL(StartApplication)},
    {"ApplicationList", "", {5, 165, 360, 80}, 9, false, CTL(ApplicationList)},
    {"ApplicationAdd", "+", {370, 165, 25, 21}, -1, false, CTL(ApplicationAdd)},
    {"ApplicationEdit", "E", {370, 195, 25, 21}, -1, false, CTL(ApplicationEdit)},
    {"ApplicationDelete", "-", {370, 225, 25, 21}, -1, false, CTL(ApplicationDelete)},
    {"Label1", "Sprawdzaj co", {5, 250, 75, 21}, -1, true, CTL(Label1)},
    {"Interval", "5", {80, 250, 60, 22}, 16, true, CTL(Interval)},
    {"Label2", "sekund, czy aplikacja zakończyła działanie.", {145, 250, 251, 22}, -1, true, CTL(Label2)},
    {"SendAfter", "Wyślij polecenia po zamknięciu aplikacji:", {5, 275, 216, 17}, 10, false, CTL(SendAfter)},
    {"SendAfterText", "", {5, 295, 360, 21}, 11, false, CTL(SendAfterText)},
    {"SendAfterAdd", "+", {370, 295, 25, 21}, -1, false, CTL(SendAfterAdd)},
    {"SendAfterEdit", "E", {370, 325, 25, 21}, -1, false, CTL(SendAfterEdit)},
    {"SendAfterDelete", "-", {370, 355, 25, 21}, -1, false, CTL(SendAfterDelete)},
    {"SendAfterCommands", "", {5, 320, 360, 60}, 12, false, CTL(SendAfterCommands)},
    {"Cancel", "Anuluj", {5, 385, 90, 30}, 15, true, CTL(Cancel)},
    {"Help", "Pomoc", {100, 385, 90, 30}, 14, true, CTL(Help)},
    {"OK", "OK", {205, 385, 190, 30}, 13, true, CTL(OK)},
}};
// clang-format on

}  // namespace

std::span<const MainControl> MainLayout() { return kLayout; }
