#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "framework/core/Component.h"

using namespace vx;

namespace {

std::vector<std::string> journal;

class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, const char* name) : TComponent(owner) { SetName(name); }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    journal.push_back(Name() + (op == opInsert ? " insert " : " remove ") + c->Name());
    if (op == opRemove && c == watched) watched = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    journal.push_back("loaded " + Name());
  }
  TComponent* watched = nullptr;

 protected:
  ~TProbe() override { journal.push_back("free " + Name()); }
};

// A subclass member that must still be alive while owned components go.
class TOwnerWithMember : public TProbe {
 public:
  using TProbe::TProbe;
  std::string member = "alive";
  void Notification(TComponent* c, TOperation op) override {
    TProbe::Notification(c, op);
    if (op == opRemove) seen.push_back(member);
  }
  std::vector<std::string> seen;

 protected:
  ~TOwnerWithMember() override = default;
};

// Teardown that needs the subclass: counted, with the member it reads.
class TTeardown : public TProbe {
 public:
  using TProbe::TProbe;
  std::string member = "whole";
  int* runs = nullptr;
  std::string* sawMember = nullptr;

 protected:
  void BeforeDestruction() override {
    if (runs) ++*runs;
    if (sawMember) *sawMember = member;
    TProbe::BeforeDestruction();
  }

 protected:
  ~TTeardown() override = default;
};

static_assert(!std::is_destructible_v<TComponent>, "components end through Free() only");
static_assert(!std::is_destructible_v<TProbe>);

}  // namespace

TEST(Component, OwnedComponentsAreFreedLastCreatedFirst) {
  journal.clear();
  auto* form = new TProbe(nullptr, "Form");
  new TProbe(form, "A");
  auto* b = new TProbe(form, "B");
  new TProbe(b, "B1");
  new TProbe(form, "C");
  ASSERT_EQ(form->ComponentCount(), 3);
  EXPECT_EQ(form->Components(1), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  journal.clear();
  form->Free();
  EXPECT_EQ(journal, (std::vector<std::string>{"Form remove C", "free C", "Form remove B", "B remove B1", "free B1",
                                               "free B", "Form remove A", "free A", "free Form"}));
}

TEST(Component, FreeNotificationReachesWatchersInOtherOwners) {
  journal.clear();
  TComponentPtr<TProbe> holderA = MakeComponent<TProbe>(nullptr, "OwnerA");
  TComponentPtr<TProbe> holderB = MakeComponent<TProbe>(nullptr, "OwnerB");
  TProbe &a = *holderA, &b = *holderB;
  auto* target = new TProbe(&a, "Target");
  auto* watcher = new TProbe(&b, "Watcher");
  watcher->watched = target;
  target->FreeNotification(watcher);
  journal.clear();
  target->Free();
  EXPECT_EQ(watcher->watched, nullptr);
  EXPECT_EQ(journal, (std::vector<std::string>{"Watcher remove Target", "OwnerA remove Target", "free Target"}));
  EXPECT_EQ(a.ComponentCount(), 0);
  // The link goes both ways: freeing the watcher leaves nothing dangling.
  auto* t2 = new TProbe(&a, "T2");
  t2->FreeNotification(watcher);
  watcher->Free();
  journal.clear();
  t2->Free();
  EXPECT_EQ(journal, (std::vector<std::string>{"OwnerA remove T2", "free T2"}));
}

TEST(Component, FreeRunsBeforeSubclassMembersGo) {
  auto* owner = new TOwnerWithMember(nullptr, "Owner");
  new TProbe(owner, "Child");
  owner->Free();
  // (Nothing to inspect after Free; the notification read the member while it lived.)
  auto* o2 = new TOwnerWithMember(nullptr, "Owner2");
  new TProbe(o2, "Child");
  o2->DestroyComponents();
  EXPECT_EQ(o2->seen, (std::vector<std::string>{"alive"}));
  o2->Free();
}

TEST(Component, TeardownRunsOnceOnTheWholeObjectWhicheverWayItEnds) {
  int runs = 0;
  std::string saw;
  // Freed directly.
  auto* a = new TTeardown(nullptr, "A");
  a->runs = &runs;
  a->sawMember = &saw;
  a->Free();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(saw, "whole");
  // Freed by its owner.
  auto* owner = new TProbe(nullptr, "Owner");
  auto* b = new TTeardown(owner, "B");
  b->runs = &runs;
  owner->Free();
  EXPECT_EQ(runs, 2);
  // Held by a smart pointer, which frees it.
  {
    TComponentPtr<TTeardown> c = MakeComponent<TTeardown>(nullptr, "C");
    c->runs = &runs;
  }
  EXPECT_EQ(runs, 3);
}

TEST(Component, NamesAreUniqueIgnoringCaseAndFoundIgnoringCase) {
  TComponentPtr<TProbe> holder = MakeComponent<TProbe>(nullptr, "Form");
  TProbe& form = *holder;
  auto* p = new TProbe(&form, "pnlExplore");
  EXPECT_EQ(form.FindComponent("PNLEXPLORE"), p);
  EXPECT_EQ(form.FindComponent("other"), nullptr);
  EXPECT_EQ(form.FindComponent(""), nullptr);
  EXPECT_THROW(new TProbe(&form, "PnlExplore"), EComponentError);
  auto* q = new TProbe(&form, "");
  EXPECT_THROW(q->SetName("PNLexplore"), EComponentError);
  EXPECT_THROW(q->SetName("1bad"), EComponentError);
  q->SetName("Other");
  p->SetName("PNLEXPLORE");  // its own name in another case is fine
  EXPECT_EQ(p->Name(), "PNLEXPLORE");
  EXPECT_EQ(q->Tag(), 0);
  q->SetTag(7);
  EXPECT_EQ(GetOrdProp(q, "Tag"), 7);
  EXPECT_EQ(GetStrProp(q, "Name"), "Other");
}

TEST(Component, MovingBetweenOwnersAndLoadedState) {
  journal.clear();
  TComponentPtr<TProbe> holderA = MakeComponent<TProbe>(nullptr, "A"), holderB = MakeComponent<TProbe>(nullptr, "B");
  TProbe &a = *holderA, &b = *holderB;
  auto* c = new TProbe(&a, "C");
  b.InsertComponent(c);
  EXPECT_EQ(c->Owner(), &b);
  EXPECT_EQ(a.ComponentCount(), 0);
  c->SetComponentState(csLoading, true);
  EXPECT_TRUE(c->ComponentState().Contains(csLoading));
  c->Loaded();
  EXPECT_FALSE(c->ComponentState().Contains(csLoading));
  EXPECT_EQ(journal.back(), "loaded C");
}
