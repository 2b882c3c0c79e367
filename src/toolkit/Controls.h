#pragma once
// Thin, non-owning wrappers over the Windows controls the forms are made of. A control object
// lives in its form; its window is a child of the form's window and is destroyed with it.
// Notifications that the form receives (WM_COMMAND, WM_NOTIFY) are reflected to the control
// that sent them, which raises its typed event through the one dispatch point.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class TForm;

struct Bounds {
  int left, top, width, height;
};

class TControl {
 public:
  TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  // Detaches from the window, which the form destroys later, after its members are gone.
  virtual ~TControl();

  // Creates the window inside `parent`. tabOrder < 0 means not a tab stop.
  void Create(TForm& parent, std::string name, const std::wstring& caption, Bounds bounds, int tabOrder,
              bool enabled);

  HWND Handle() const { return hwnd_; }
  const std::string& Name() const { return name_; }
  TForm* Form() const { return form_; }
  int TabOrder() const { return tabOrder_; }

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  // The window text in UTF-16, and in the system code page.
  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  std::string Text() const;
  void SetText(const std::string& text);
  // Position inside the parent's client area.
  RECT BoundsRect() const;
  void SetBounds(Bounds b);
  bool Focused() const;
  void SetFocus();

  // Looks up the control object of a window created by this library.
  static TControl* FromHandle(HWND hwnd);

  // Called for WM_COMMAND / WM_NOTIFY that the control sent to its parent.
  virtual void HandleCommand(WORD /*code*/) {}
  virtual LRESULT HandleNotify(NMHDR* /*hdr*/) { return 0; }
  // Whether the control takes Enter itself instead of leaving it to the form.
  virtual bool WantsReturn() const { return false; }
  // Called by the form when all its controls have been built.
  virtual void Loaded() {}

 protected:
  virtual const wchar_t* WindowClass() const = 0;
  virtual DWORD Style() const { return 0; }
  virtual DWORD ExStyle() const { return 0; }
  virtual void AfterCreate() {}
  // The control's own window procedure; the default passes the message on.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  HWND hwnd_ = nullptr;
  TForm* form_ = nullptr;
  std::string name_;
  int tabOrder_ = -1;
};

class TLabel : public TControl {
 protected:
  const wchar_t* WindowClass() const override { return L"STATIC"; }
  DWORD Style() const override { return SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX; }
};

class TButton : public TControl {
 public:
  std::function<void()> OnClick;
  // Clicks the button as the user would (nothing happens while it is disabled).
  void Click();
  void HandleCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override { return BS_PUSHBUTTON; }
};

// A button drawn raised like a push button that never takes the keyboard focus and is not in the
// tab order. It acts on a mouse click, or a click sent by the program (BM_CLICK).
class TSpeedButton : public TButton {
 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool pressed_ = false;
};

class TCheckBox : public TControl {
 public:
  std::function<void()> OnClick;
  bool Checked() const;
  // Changing the state from the program raises OnClick too, as a click by the user would.
  void SetChecked(bool checked);
  void HandleCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override { return BS_AUTOCHECKBOX; }
};

class TCustomEdit : public TControl {
 public:
  // Gets each typed character; setting it to 0 drops the character.
  std::function<void(wchar_t& key)> OnKeyPress;
  std::function<void()> OnChange;
  void HandleCommand(WORD code) override;
  bool WantsReturn() const override { return static_cast<bool>(OnKeyPress); }
  void SelectAll();

 protected:
  const wchar_t* WindowClass() const override { return L"EDIT"; }
  DWORD Style() const override { return ES_AUTOHSCROLL; }
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class TEdit : public TCustomEdit {};

// A drop-down list without typing.
class TCustomComboBox : public TControl {
 public:
  std::function<void()> OnChange;

  int Count() const;
  std::string Item(int index) const;  // "" outside the list
  std::vector<std::string> Items() const;
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& text);
  void ClearItems();
  int ItemIndex() const;  // -1: none
  virtual void SetItemIndex(int index);
  bool DroppedDown() const;
  void HandleCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"COMBOBOX"; }
  DWORD Style() const override { return CBS_DROPDOWNLIST | WS_VSCROLL; }
  // What happens when the user picks an item; raises OnChange.
  virtual void Change();
};

class TComboBox : public TCustomComboBox {
 public:
  // The selected item's text, "" when none is selected.
  std::string SelectedText() const { return Item(ItemIndex()); }
};

class TImageList;

// A report-style list view: columns, grid lines, whole-row selection, one selected row, selection
// kept visible, no in-place editing.
class TListView : public TControl {
 public:
  std::function<void()> OnClick;
  // A row became selected or deselected.
  std::function<void(int index, bool selected)> OnSelectItem;

  void SetShowColumnHeaders(bool show) { showHeaders_ = show; }
  void AddColumn(const std::wstring& caption, int width);
  // Sizes the single column to the list's client width.
  void FitColumnToClient();
  void AutoSizeColumns();
  void SetSmallImages(TImageList* images);

  int Count() const;
  // Around adding many rows: no repainting until the end, room made for `rows` rows at once.
  void BeginUpdate(int rows);
  void EndUpdate();
  int AddRow(const std::string& caption);  // returns the new row's index
  void DeleteRow(int index);
  void Clear();
  std::string RowText(int index, int column = 0) const;
  void SetRowText(int index, int column, const std::string& text);
  int ImageIndex(int index) const;
  void SetImageIndex(int index, int image);
  int Selected() const;         // -1: none
  void SetSelected(int index);  // -1 clears
  LRESULT HandleNotify(NMHDR* hdr) override;

 protected:
  const wchar_t* WindowClass() const override { return WC_LISTVIEWW; }
  DWORD Style() const override;
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void AfterCreate() override;

 private:
  bool showHeaders_ = true;
  int columns_ = 0;
};
