#pragma once
// The numeric spin field: a one-line edit for one integer with a pair of arrow buttons at its
// right edge. The field keeps no number of its own: its value is its text. Limits apply when the
// value is set and when the focus leaves the field, not while the user types. Entering the field
// by the keyboard selects its whole text; a click does not.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "controls/SpinRules.h"
#include "toolkit/ChildWindow.h"
#include "toolkit/Edit.h"
#include "toolkit/WindowProc.h"
#include "win/Handles.h"

// A window of this unit that lives inside another control rather than directly on a form: the
// arrow pair inside the field and the arrows inside the pair. It owns its window.
class TSpinChildWindow : public TChildWindow {
 public:
  ~TSpinChildWindow() override;

 protected:
  void CreateWindowIn(HWND parent, int left, int top, int width, int height);
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
};

// An arrow button: never takes the focus, shows a glyph, steps once when released over itself and
// repeats while held: first after 400 ms, then every 100 ms.
class TTimerSpeedButton : public TSpinChildWindow {
 public:
  static constexpr UINT_PTR kRepeatTimer = 1;
  static constexpr UINT kFirstDelay = 400;
  static constexpr UINT kRepeatDelay = 100;

  ~TTimerSpeedButton() override;

  // A step: on release over the button and on each repeat while held over it.
  std::function<void()> OnClick;
  // The button was pressed with the left mouse button.
  std::function<void()> OnMouseDown;

  void Create(HWND parent, int left, int top, int width, int height);
  void SetGlyph(spinrules::Glyph glyph);
  // Shown pressed: held down with the pointer over it.
  bool Down() const { return pressed_ && over_; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void paint(HDC dc);
  void setOver(LPARAM lp);
  void startTimer(UINT interval);
  void stopTimer();
  void release(bool clickIfOver);
  void step();

  spinrules::Glyph glyph_;  // none until set
  UniqueTheme theme_;       // none when themes are off
  bool themeOpened_ = false;
  bool pressed_ = false;
  bool over_ = false;
  UINT timerInterval_ = 0;  // of the running repeat timer; 0 when it is not running
};

// The arrow pair: the up arrow above the down arrow, at least 15 wide. Not a tab stop.
class TSpinButton : public TSpinChildWindow {
 public:
  std::function<void()> OnUpClick;
  std::function<void()> OnDownClick;
  // The control that gets the focus when an arrow is pressed.
  TControl* FocusControl = nullptr;

  // Made in `bounds`, at least 15 wide at 96 dpi (scaled to `dpi`).
  void Create(HWND parent, const spinrules::Rect& bounds, UINT dpi);
  // Shown at another dpi: the least width and the arrow images scaled anew.
  void SetDpi(UINT dpi);
  TTimerSpeedButton& UpButton() { return up_; }
  TTimerSpeedButton& DownButton() { return down_; }
  // The arrows follow the pair's enabled state.
  void SetArrowsEnabled(bool enabled);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void layoutArrows();
  void focusControl();
  void setGlyphs(UINT dpi);

  int minWidth_ = spinrules::kPairMinWidth;
  TTimerSpeedButton up_;
  TTimerSpeedButton down_;
};

class TSpinEdit : public TCustomEdit {
 public:
  TSpinEdit();
  ~TSpinEdit() override;

  int32_t MinValue() const { return minValue_; }
  void SetMinValue(int32_t v) { minValue_ = v; }
  int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t v) { maxValue_ = v; }
  // Enter is a typed character like any other here: the filter refuses it with a beep.
  bool WantsReturn() const override { return true; }
  // Whether typing, pasting and cutting may change the text (they may unless told otherwise).
  void SetEditorEnabled(bool enabled) { editorEnabled_ = enabled; }
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);

  // The text read as an integer; MinValue when it does not convert. Not clamped.
  int32_t Value() const;
  // Writes the clamped value as text.
  void SetValue(int32_t v);

  // The character filter, step up and step down.
  virtual bool IsValidChar(wchar_t key) const;
  virtual void UpClick();
  virtual void DownClick();

  TSpinButton& Button() { return *button_; }
  // The lowest the field may be for its font.
  int MinHeight() const;

 protected:
  // Multi-line only so that the text area can be set clear of the arrows; it holds one line.
  DWORD Style() const override { return TCustomEdit::Style() | ES_MULTILINE | WS_CLIPCHILDREN; }
  void AfterCreate() override;
  void ScaleChanged(UINT oldDpi) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void resized();
  // Makes the field as high as its text needs when it is lower; returns whether it did.
  bool growToMinHeight();
  // The pair's place in the field, and the text's beside it.
  spinrules::Rect pairPlace(int pairWidth) const;
  void placeText(int pairWidth);
  void step(int64_t delta);
  void clampText();

  // What an arrow or an arrow key adds or takes away.
  static constexpr int32_t kIncrement = 1;

  std::unique_ptr<TSpinButton> button_;
  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
  bool editorEnabled_ = true;
  bool readOnly_ = false;
  bool lButtonDown_ = false;
  bool created_ = false;
};
