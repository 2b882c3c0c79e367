// The repaint fix's bookkeeping: which forms get trackers, when trackers are freed, and when a
// form is repainted.
#include "controls/FormObj.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Records what happened to every tracker, also after it has been freed, and how many are alive.
struct Journal {
  std::vector<std::string> events;
  int alive = 0;
};

class TFakeFormObj : public TFormObj {
 public:
  TFakeFormObj(const FormRef& form, bool all, Journal& journal, std::string name)
      : TFormObj(form, all), journal_(journal), name_(std::move(name)) {
    ++journal_.alive;
  }
  ~TFakeFormObj() override {
    --journal_.alive;
    journal_.events.push_back("free " + name_);
  }

 protected:
  void Repaint(bool all) override { journal_.events.push_back((all ? "all " : "buttons ") + name_); }

 private:
  Journal& journal_;
  std::string name_;
};

// Forms are stand-in objects: only their addresses matter.
int formA, formB, formC;
const FormRef a{&formA, 0x10}, b{&formB, 0x20}, c{&formC, 0x30};

class FormObjListTest : public ::testing::Test {
 protected:
  std::string nameOf(const FormRef& f) const {
    return f.form == &formA ? "A" : f.form == &formB ? "B" : f.form == &formC ? "C" : "?";
  }
  void idle(const std::vector<FormRef>& forms) {
    list.Idle(forms, [this](const FormRef& f) -> std::unique_ptr<TFormObj> {
      ++made;
      return std::make_unique<TFakeFormObj>(f, repaintAll, journal, nameOf(f));
    });
  }
  void cue(const FormRef& f) { list.Find(f)->MessageHandled(kUpdateUiState); }
  std::vector<std::string> takeEvents() { return std::exchange(journal.events, {}); }

  Journal journal;  // outlives the list, which journals into it when freed
  TFormObjList list;
  bool repaintAll = true;
  int made = 0;
};

TEST_F(FormObjListTest, TheFirstIdleMomentTracksEveryFormInOrderWithoutRepainting) {
  idle({a, b, c});
  ASSERT_EQ(journal.alive, 3);
  for (const FormRef& f : {a, b, c}) {
    ASSERT_NE(list.Find(f), nullptr) << nameOf(f);
    EXPECT_EQ(list.Find(f)->Form(), f);
    EXPECT_TRUE(list.Find(f)->Seen());
  }
  EXPECT_TRUE(takeEvents().empty());

  idle({a, b, c});
  EXPECT_EQ(made, 3) << "a tracked form gets no second tracker";
  EXPECT_TRUE(takeEvents().empty()) << "no repaint was pending";
  // Freed from the last to the first: the trackers are kept in the forms' order.
  idle({});
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"free C", "free B", "free A"}));
}

TEST_F(FormObjListTest, CueMessagesBeforeAnIdleMomentGiveOneRepaint) {
  idle({a, b});
  cue(a);
  cue(a);
  idle({a, b});
  EXPECT_EQ(takeEvents(), std::vector<std::string>{"all A"});
  idle({a, b});
  EXPECT_TRUE(takeEvents().empty()) << "nothing came since the last repaint";
}

TEST_F(FormObjListTest, OnlyTheCueMessageMarksARepaint) {
  idle({a});
  for (unsigned msg : {0x0000u, 0x000Fu, 0x0127u, 0x0129u, 0x0128u + 0x10000u}) {
    list.Find(a)->MessageHandled(msg);
    idle({a});
    EXPECT_TRUE(takeEvents().empty()) << std::hex << msg;
  }
}

TEST_F(FormObjListTest, PendingRepaintsRunFromTheLastTrackerToTheFirst) {
  idle({a, b, c});
  cue(a);
  cue(c);
  idle({a, b, c});
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"all C", "all A"}));
}

TEST_F(FormObjListTest, AGoneFormsTrackerIsFreedAtTheNextIdleMomentAndNeverRepainted) {
  idle({a, b, c});
  cue(b);
  cue(c);
  idle({a, c});
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"all C", "free B"}));
  ASSERT_EQ(journal.alive, 2);
  EXPECT_EQ(list.Find(b), nullptr);

  // A's and C's trackers, in that order.
  idle({});
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"free C", "free A"}));
  EXPECT_EQ(journal.alive, 0);
}

TEST_F(FormObjListTest, AFormBornAtADeadFormsAddressIsANewForm) {
  idle({a});
  cue(a);
  const FormRef reborn{&formA, 0x99};
  idle({reborn});
  // The old tracker's pending repaint belonged to a window that is gone.
  EXPECT_EQ(takeEvents(), std::vector<std::string>{"free A"});
  ASSERT_EQ(journal.alive, 1);
  EXPECT_EQ(list.Find(a), nullptr);
  ASSERT_NE(list.Find(reborn), nullptr);
  EXPECT_EQ(made, 2);
  idle({reborn});
  EXPECT_TRUE(takeEvents().empty()) << "the new tracker has no repaint pending";
}

TEST_F(FormObjListTest, FormsWithoutAWindowOrThatCannotBeHookedAreNotTracked) {
  idle({FormRef{&formA, 0}, FormRef{nullptr, 0x10}});
  EXPECT_EQ(journal.alive, 0);
  EXPECT_EQ(made, 0);

  list.Idle({b}, [](const FormRef&) { return std::unique_ptr<TFormObj>(); });
  EXPECT_EQ(list.Find(b), nullptr);
  idle({b});
  EXPECT_EQ(journal.alive, 1) << "tried again at the next idle moment";
  EXPECT_NE(list.Find(b), nullptr);
}

TEST_F(FormObjListTest, EachTrackerKeepsTheRepaintChoiceItWasMadeWith) {
  idle({a});
  repaintAll = false;
  idle({a, b});
  cue(a);
  cue(b);
  idle({a, b});
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"buttons B", "all A"}));
}

}  // namespace
