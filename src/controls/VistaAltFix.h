#pragma once
// The keyboard-cue repaint fix. With visual styles on Windows 6.0 and later, a form that Windows
// has told to show or hide its keyboard cues (access-key underlines, focus rectangles, e.g. when
// Alt is pressed) is not always redrawn properly. This component watches every form of the
// application for that message and, once the message queue has run empty, repaints the form and
// all its windowed controls, once however many such messages came. On other systems it does
// nothing at all.
#include <memory>

class TFormObjList;

class TVistaAltFix {
 public:
  // Active when the system needs the fix (NeededBySystem).
  TVistaAltFix();
  // Active as the caller decides, for the component's whole life.
  explicit TVistaAltFix(bool active);
  TVistaAltFix(const TVistaAltFix&) = delete;
  TVistaAltFix& operator=(const TVistaAltFix&) = delete;
  ~TVistaAltFix();

  // Whether every windowed control is repainted (true, the default) or only buttons, check boxes
  // and radio buttons. A form keeps the choice that held when it was first tracked.
  void SetRepaintAll(bool all) { repaintAll_ = all; }

  // Windows 6.0 or later (GetVersionExA), themes active, visual styles in use for this
  // application, and version 6 of the common controls loaded.
  static bool NeededBySystem();

 private:
  void idle();

  bool repaintAll_ = true;
  bool inIdle_ = false;
  std::unique_ptr<TFormObjList> trackers_;  // only while active
  int idleHandler_ = 0;                     // only while active
};
