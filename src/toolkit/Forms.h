#pragma once
// A form: a top-level window with a tool-window border (small caption, close button only, not
// resizable), a client area of a given size, centred on the desktop when first shown, one font
// for every control, tab order, an Esc button and a default button. Sizes and positions are
// given for 96 dpi; the form shows them scaled to its display's dpi and follows it when the
// window moves to a monitor with another scale.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Dpi.h"
#include "win/Handles.h"

enum class BorderStyle { ToolWindow, Dialog };

class TForm : public TControlParent {
 public:
  TForm(const std::wstring& caption, int clientWidth, int clientHeight,
        BorderStyle border = BorderStyle::ToolWindow);
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;
  virtual ~TForm();

  // The main form: the first form made while there was none; closing it ends the program.
  static TForm* MainForm();
  // Every form that exists, in the order they were made.
  static const std::vector<TForm*>& All();

  HWND Handle() const override { return hwnd_; }
  HFONT Font() const override { return font_.get(); }
  // The dpi the form is shown at, and a length of its table at that dpi.
  UINT Dpi() const override { return dpi_; }
  int Scale(int value) const;
  // The client area's size as given for 96 dpi; the window takes it at its own dpi.
  void SetClientSize(int width, int height);
  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);

  void Show();
  void Hide();
  bool Visible() const;
  // Shows the form modally: other forms are disabled until it closes. Returns the modal result.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // Closes the form as its close button does.
  void Close();

  // Esc clicks this button (unless a drop-down list is open); Enter clicks the default button.
  void SetCancelButton(TControl* b) { cancelButton_ = b; }
  void SetDefaultButton(TControl* b);
  // A key that stands for a button: pressed with exactly `modifiers` (MOD_CONTROL, MOD_ALT,
  // MOD_SHIFT) while `focus` has the keyboard focus (any control of the form when null), it clicks
  // the button, which does nothing while it is disabled. The key goes no further either way.
  void AddShortcut(UINT key, UINT modifiers, TControl& button, const TControl* focus = nullptr);
  // The same for an action that no button stands for.
  void AddShortcut(UINT key, UINT modifiers, std::function<void()> action, const TControl* focus = nullptr);

  // Called by TControl::Create.
  void AddControl(TControl* control) override;
  const std::vector<TControl*>& Controls() const { return controls_; }
  TControl* FindControl(const std::string& name) const;
  // Puts the controls' windows in tab order and tells every control that building has ended.
  // Controls made in tab order are in place already.
  void EndBuilding();
  // Whether a control of tab order `tabOrder` comes before one of `other`: tab stops (0 and up)
  // in ascending order, the rest (-1) after them.
  static bool BeforeInTabOrder(int tabOrder, int other);

  // Keyboard handling for the form's messages (Esc, Enter, Tab). True when handled.
  bool PreTranslateMessage(MSG& msg);

  // Event: raised by Show (and so by ShowModal) each time, just before the window appears.
  std::function<void()> OnShow;

 protected:
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  // Closing: the main form ends the program; another form hides with the modal result "cancel".
  virtual void DoClose();

 private:
  // The control of this form whose window it is, or null.
  TControl* control(HWND hwnd) const;
  // Clicks the button that a key pressed now stands for; false when it stands for none.
  bool shortcut(const MSG& msg) const;
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  void centre();
  void fitClientSize();
  // The window now shows at `dpi`: a new font, every control scaled again, and the window at the
  // rectangle Windows suggests (or at its client size for that dpi).
  void rescale(UINT dpi, const RECT* suggested);
  // Gives the keyboard focus back to the control that had it when the form was last active, or
  // to the first control in the tab order, as a dialog does.
  void restoreFocus();

  HWND hwnd_ = nullptr;
  UINT dpi_ = kDesignDpi;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  UniqueFont font_;
  std::vector<TControl*> controls_;
  TControl* cancelButton_ = nullptr;
  TControl* defaultButton_ = nullptr;
  struct Shortcut {
    UINT key, modifiers;
    std::function<void()> action;
    const TControl* focus;
  };
  std::vector<Shortcut> shortcuts_;
  int modalResult_ = 0;
  bool shownOnce_ = false;
  bool inModal_ = false;
  HWND lastFocus_ = nullptr;
};

constexpr int mrOk = 1;
constexpr int mrCancel = 2;
