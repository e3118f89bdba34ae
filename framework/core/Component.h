// Components: named objects owned by a parent component (a form owns everything on it),
// freed with their owner last-created-first, with removal notices to whoever asked.
//
// How a component ends. One way only: Free(), called by whoever created it without an
// owner, or by its owner when the owner goes. Free() first runs BeforeDestruction() on
// the whole object, so teardown that needs virtual calls or members of a subclass works
// (a form's OnDestroy, a control's window, owned components that still point back at
// their owner); only then does the destructor chain run. Hence:
// - destructors of component classes are protected, so `delete`, a component on the
//   stack and a default std::unique_ptr do not compile; hold one in TComponentPtr<T>,
//   which calls Free();
// - teardown that needs the whole object goes into an override of BeforeDestruction()
//   that calls its base last (or first, where owned parts must go before it);
//   destructors only release what the class itself holds and never call it.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/TypInfo.h"

namespace vx {

enum TOperation { opInsert, opRemove };
enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag>;

VX_EXCEPTION(EComponentError, Exception);

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  const char* ClassName() const override { return "TComponent"; }

  // The one way a component ends (see the top of this file): BeforeDestruction() while
  // the object is whole, then the destructors.
  void Free();

  const AnsiString& Name() const { return name_; }
  // Names are unique among the owner's components, ignoring case ("" is always fine).
  virtual void SetName(const AnsiString& name);
  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int i) const;
  int ComponentIndex() const;
  TComponent* FindComponent(const AnsiString& name) const;
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
  // Frees every owned component, the last created first.
  void DestroyComponents();

  // Asks for an opRemove notice when c is freed (and gives c one when this is freed).
  void FreeNotification(TComponent* c);
  void RemoveFreeNotification(TComponent* c);
  virtual void Notification(TComponent* c, TOperation op);

  TComponentState ComponentState() const { return state_; }
  void SetComponentState(TComponentStateFlag f, bool on);
  bool Destroying() const { return state_.Contains(csDestroying); }
  // Runs after the owner is complete (a form built in code calls it for each component).
  virtual void Loaded();
  int Tag() const { return tag_; }
  void SetTag(int t) { tag_ = t; }

 protected:
  ~TComponent() override;
  // First step of destruction, while the whole object is alive: marks the state,
  // frees owned components, tells the watchers. Overrides call the base.
  virtual void BeforeDestruction();
  virtual void ValidateRename(TComponent* c, const AnsiString& oldName, const AnsiString& newName);

 private:
  void SendRemoveNotices();
  TComponent* owner_ = nullptr;
  AnsiString name_;
  int tag_ = 0;
  TComponentState state_;
  bool beforeDone_ = false;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// Frees a component held by a std::unique_ptr.
struct TComponentFree {
  void operator()(TComponent* c) const {
    if (c) c->Free();
  }
};
template <typename T>
using TComponentPtr = std::unique_ptr<T, TComponentFree>;

// A new component without an owner, freed when its holder goes.
template <typename T, typename... Args>
TComponentPtr<T> MakeComponent(Args&&... args) {
  return TComponentPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace vx
