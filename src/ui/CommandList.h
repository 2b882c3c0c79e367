#pragma once
// One group that edits a command list: an edit field, "+" (add), "E" (replace the selected row),
// "-" (delete it) and the list of command lines, one per row. The main window has two such groups,
// the commands sent before the application starts and those sent after it closes.
//
// "E" and "-" are enabled by a selection change in the list and disabled only by a click in the
// list that leaves no row selected; nothing else touches them.
#include "toolkit/Edit.h"
#include "toolkit/ListView.h"
#include "toolkit/SpeedButton.h"

class TCommandList {
 public:
  // "+" needs no reference: the group's handlers never enable or disable it.
  TCommandList(TEdit& text, TSpeedButton& edit, TSpeedButton& del, TListView& commands)
      : text_(text), edit_(edit), delete_(del), commands_(commands) {}

  // Appends the edit field's text as a row and clears the field; nothing when the field is empty.
  void AddClick();
  // Replaces the selected row's caption with the edit field's text, which stays.
  void EditClick();
  void DeleteClick();
  // Enter acts as "+"; the key still goes on to the field, which does not insert it.
  void TextKeyPress(wchar_t& key);
  void CommandsClick();
  void CommandsSelectItem(int index, bool selected);
  // Moves the selected row one place up (step -1) or down (1); the field keeps its text.
  void Move(int step);

 private:
  TEdit& text_;
  TSpeedButton& edit_;
  TSpeedButton& delete_;
  TListView& commands_;
};

// The row that the selected row of `list` changes places with when moved one place up (step -1)
// or down (1); -1 when no row is selected or it is at that end already.
int MoveTarget(const TListView& list, int step);
