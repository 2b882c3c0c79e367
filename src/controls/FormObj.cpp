#include "controls/FormObj.h"

void TFormObj::RepaintStep() {
  if (!repaintPending_) return;
  repaintPending_ = false;
  Repaint(repaintAll_);
}

TFormObj* TFormObjList::Find(const FormRef& form) const {
  for (const auto& t : items_)
    if (t->Form() == form) return t.get();
  return nullptr;
}

void TFormObjList::Idle(const std::vector<FormRef>& forms, const Factory& track) {
  for (auto& t : items_) t->SetSeen(false);

  for (const FormRef& form : forms) {
    if (!form.form || !form.window) continue;
    if (TFormObj* t = Find(form)) {
      t->SetSeen(true);
    } else if (auto made = track(form)) {
      items_.push_back(std::move(made));
    }
  }

  // Backwards, so that removing an entry leaves the ones still to visit where they are.
  for (std::size_t i = items_.size(); i-- > 0;) {
    if (items_[i]->Seen()) {
      items_[i]->RepaintStep();
    } else {
      items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}
