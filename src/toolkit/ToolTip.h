#pragma once
// Tips that show when the mouse rests on a control: what a small button does and its key, or the
// whole text of a list row that is cut off. One tip window serves every control of a form.
#include <windows.h>

#include <string>
#include <vector>

class TToolTip {
 public:
  TToolTip() = default;
  TToolTip(const TToolTip&) = delete;
  TToolTip& operator=(const TToolTip&) = delete;
  ~TToolTip();

  // A tip for the whole of `tool`; an empty text shows none.
  void Add(HWND tool, const std::wstring& text);
  void SetText(HWND tool, const std::wstring& text);
  // Hides the tip shown now; the next rest of the mouse shows it again.
  void Pop();
  HWND Handle() const { return hwnd_; }

 private:
  // The tip window costs as much to make as several controls: it is made at the first idle moment,
  // once the window is up, with the tools added until then.
  void create();

  struct Tool {
    HWND hwnd;
    std::wstring text;
  };
  std::vector<Tool> waiting_;
  int idleHandler_ = 0;
  HWND hwnd_ = nullptr;
};
