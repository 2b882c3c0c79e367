// The repaint fix's bookkeeping: which forms get trackers, when trackers are freed, and when a
// form is repainted.
#include "support/FormObj.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Records what happened to every tracker, also after it has been freed.
struct Journal {
  std::vector<std::string> events;
};

class TFakeFormObj : public TFormObj {
 public:
  TFakeFormObj(const FormRef& form, bool all, Journal& journal, std::string name)
      : TFormObj(form, all), journal_(journal), name_(std::move(name)) {}
  ~TFakeFormObj() override { journal_.events.push_back("free " + name_); }

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
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.At(0)->Form(), a);
  EXPECT_EQ(list.At(1)->Form(), b);
  EXPECT_EQ(list.At(2)->Form(), c);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(list.At(i)->Seen());
    EXPECT_FALSE(list.At(i)->RepaintPending());
  }
  EXPECT_TRUE(takeEvents().empty());

  idle({a, b, c});
  EXPECT_EQ(made, 3) << "a tracked form gets no second tracker";
}

TEST_F(FormObjListTest, CueMessagesBeforeAnIdleMomentGiveOneRepaint) {
  idle({a, b});
  cue(a);
  cue(a);
  EXPECT_TRUE(list.Find(a)->RepaintPending());
  idle({a, b});
  EXPECT_EQ(takeEvents(), std::vector<std::string>{"all A"});
  EXPECT_FALSE(list.Find(a)->RepaintPending());
  idle({a, b});
  EXPECT_TRUE(takeEvents().empty()) << "nothing came since the last repaint";
}

TEST_F(FormObjListTest, OnlyTheCueMessageMarksARepaint) {
  idle({a});
  for (unsigned msg : {0x0000u, 0x000Fu, 0x0127u, 0x0129u, 0x0128u + 0x10000u}) {
    list.Find(a)->MessageHandled(msg);
    EXPECT_FALSE(list.Find(a)->RepaintPending()) << std::hex << msg;
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
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.At(0)->Form(), a);
  EXPECT_EQ(list.At(1)->Form(), c);

  idle({});
  EXPECT_EQ(takeEvents(), (std::vector<std::string>{"free C", "free A"}));
  EXPECT_EQ(list.Count(), 0u);
}

TEST_F(FormObjListTest, AFormBornAtADeadFormsAddressIsANewForm) {
  idle({a});
  cue(a);
  const FormRef reborn{&formA, 0x99};
  idle({reborn});
  // The old tracker's pending repaint belonged to a window that is gone.
  EXPECT_EQ(takeEvents(), std::vector<std::string>{"free A"});
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.At(0)->Form(), reborn);
  EXPECT_FALSE(list.At(0)->RepaintPending());
}

TEST_F(FormObjListTest, FormsWithoutAWindowOrThatCannotBeHookedAreNotTracked) {
  idle({FormRef{&formA, 0}, FormRef{nullptr, 0x10}});
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(made, 0);

  list.Idle({b}, [](const FormRef&) { return std::unique_ptr<TFormObj>(); });
  EXPECT_EQ(list.Count(), 0u);
  idle({b});
  EXPECT_EQ(list.Count(), 1u) << "tried again at the next idle moment";
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
