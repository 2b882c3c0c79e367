#pragma once
// The bookkeeping of the keyboard-cue repaint fix, apart from the windows: one tracker per form,
// which notes the cue message and repaints its form once at the next idle moment, and the list
// that follows the application's forms from one idle moment to the next. The Windows side supplies
// the message hook and the repaint itself.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The message by which Windows shows or hides the keyboard cues (WM_UPDATEUISTATE).
constexpr unsigned kUpdateUiState = 0x0128;

// A form as an idle moment sees it: the form object and the window it has now (0: none). A form
// object is matched by identity; the window is compared too, so that a new form that happens to
// take the address of a destroyed one is never mistaken for it.
struct FormRef {
  const void* form = nullptr;
  std::uintptr_t window = 0;
  bool operator==(const FormRef&) const = default;
};

class TFormObj {
 public:
  TFormObj(FormRef form, bool repaintAll) : form_(form), repaintAll_(repaintAll) {}
  TFormObj(const TFormObj&) = delete;
  TFormObj& operator=(const TFormObj&) = delete;
  virtual ~TFormObj() = default;

  const FormRef& Form() const { return form_; }
  bool Seen() const { return seen_; }
  void SetSeen(bool seen) { seen_ = seen; }

  // Called after the form's own handler has handled a message.
  void MessageHandled(unsigned msg) {
    if (msg == kUpdateUiState) repaintPending_ = true;
  }
  // At an idle moment: repaints the form if a cue message came since the last one.
  void RepaintStep();

 protected:
  // `all`: every windowed control of the form; otherwise only its buttons.
  virtual void Repaint(bool all) = 0;

 private:
  FormRef form_;
  bool seen_ = true;
  bool repaintPending_ = false;
  bool repaintAll_;
};

class TFormObjList {
 public:
  // Makes the tracker of a form that has none yet; nullptr when the form cannot be tracked.
  using Factory = std::function<std::unique_ptr<TFormObj>(const FormRef&)>;

  // One idle moment, given the application's forms in their order: trackers are made for new
  // forms, trackers of forms that are gone are freed, and pending repaints are done (last tracker
  // first). A form without a window is not tracked.
  void Idle(const std::vector<FormRef>& forms, const Factory& track);

  TFormObj* Find(const FormRef& form) const;

 private:
  std::vector<std::unique_ptr<TFormObj>> items_;
};
