#pragma once
// The application entry dialog: name, path and parameters of one application.
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

class TSelectApplication : public TForm {
 public:
  TSelectApplication();
  ~TSelectApplication() override;
};

// The program-wide entry dialog.
extern TSelectApplication* SelectApplication;
