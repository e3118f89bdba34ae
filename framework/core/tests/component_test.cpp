#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Component.h"

using namespace vx;

namespace {

std::vector<std::string> journal;

class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, const char* name) : TComponent(owner) { SetName(name); }
  ~TProbe() override { journal.push_back("free " + Name()); }
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
};

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
  EXPECT_EQ(journal, (std::vector<std::string>{"Form remove C", "free C", "Form remove B", "B remove B1", "free B1", "free B",
                                               "Form remove A", "free A", "free Form"}));
}

TEST(Component, FreeNotificationReachesWatchersInOtherOwners) {
  journal.clear();
  TProbe a(nullptr, "OwnerA");
  TProbe b(nullptr, "OwnerB");
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
  delete o2;  // plain delete is safe too
}

TEST(Component, NamesAreUniqueIgnoringCaseAndFoundIgnoringCase) {
  TProbe form(nullptr, "Form");
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
  TProbe a(nullptr, "A");
  TProbe b(nullptr, "B");
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
