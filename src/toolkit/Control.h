#pragma once
// Thin, non-owning wrappers over the Windows controls the forms are made of. A control object
// lives in its form; its window is a child of the form's window and is destroyed with it.
// Notifications that the form receives (WM_COMMAND, WM_NOTIFY) are reflected to the control
// that sent them, which raises its typed event through the one dispatch point.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/ChildWindow.h"
#include "toolkit/Dpi.h"

class TControl;

// What a control needs of the window it is made in: its handle, font and dpi, and to be told of
// the control. The form is one.
class TControlParent {
 public:
  virtual HWND Handle() const = 0;
  virtual HFONT Font() const = 0;
  virtual UINT Dpi() const = 0;
  virtual void AddControl(TControl* control) = 0;

 protected:
  ~TControlParent() = default;
};

class TControl : public TChildWindow {
 public:
  TControl() = default;
  // Detaches from the window, which the form destroys later, after its members are gone.
  ~TControl() override;

  // Creates the window inside `parent`, at `bounds` (given for 96 dpi) scaled to the form's dpi.
  // tabOrder < 0 means not a tab stop.
  void Create(TControlParent& parent, std::string name, const std::wstring& caption, Bounds bounds,
              int tabOrder, bool enabled);

  const std::string& Name() const { return name_; }
  TControlParent* Parent() const { return parent_; }
  int TabOrder() const { return tabOrder_; }
  // The dpi its form shows at (kDesignDpi before it is on one), and a length given for 96 dpi at it.
  UINT Dpi() const;
  int Scale(int value) const { return ScaleForDpi(value, Dpi()); }

  // The window text in UTF-16, and in the system code page.
  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  std::string Text() const;
  void SetText(const std::string& text);
  bool Focused() const;
  void SetFocus();
  // Files dropped from the shell onto the control are handed to `onDrop`, in the order given; a
  // drop onto a disabled control or form is ignored.
  void AcceptDroppedFiles(std::function<void(const std::vector<std::wstring>& files)> onDrop);
  // Moves the control to `b`, given for 96 dpi, scaled to the form's dpi.
  void SetDesignBounds(Bounds b);
  // The form now shows at another dpi: its font again and the control's bounds scaled anew.
  void Rescale(UINT oldDpi);

  // Looks up the control object of a window created by this library.
  static TControl* FromHandle(HWND hwnd);

  // Called for WM_COMMAND / WM_NOTIFY that the control sent to its parent.
  virtual void HandleCommand(WORD /*code*/) {}
  virtual LRESULT HandleNotify(NMHDR* /*hdr*/) { return 0; }
  // Whether the control takes Enter itself instead of leaving it to the form.
  virtual bool WantsReturn() const { return false; }
  // What Esc or Enter (`key`) pressed while the control has the focus does; its form asks first.
  enum class DialogKey {
    Form,     // the form's cancel or default button answers it
    Control,  // it goes on to the control's window (an open drop-down list, a field that wants Enter)
    Used,     // the control has answered it itself (a button clicks itself on Enter)
  };
  virtual DialogKey UseDialogKey(WPARAM key);
  // Clicks the control as the user would; nothing happens while it is disabled or for a control
  // that has no click.
  virtual void Click() {}
  // Called by the form when all its controls have been built.
  virtual void Loaded() {}
  // Called when the control has been scaled to the form's new dpi, for what else it sizes.
  virtual void ScaleChanged(UINT /*oldDpi*/) {}

 protected:
  virtual const wchar_t* WindowClass() const = 0;
  virtual DWORD Style() const { return 0; }
  virtual DWORD ExStyle() const { return 0; }
  virtual void AfterCreate() {}
  // The control's own window procedure; the default passes the message on.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
  // The bounds the control was created with.
  const Bounds& CreatedBounds() const { return createdBounds_; }

 private:
  static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
  void detach();

  WNDPROC classProc_ = nullptr;
  TControlParent* parent_ = nullptr;
  std::function<void(const std::vector<std::wstring>&)> onDrop_;
  std::string name_;
  Bounds bounds_{};  // as given, for 96 dpi
  int tabOrder_ = -1;
  Bounds createdBounds_{};
};
