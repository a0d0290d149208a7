#pragma once
// The object model every component of the system stands on: an owner frees
// the components it owns, and components that hold references to others ask
// to be told when those are freed, so no reference outlives its target.
#include "platform/rtl/String.h"
#include <cstdint>
#include <vector>

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The name of the object's own class, without namespaces ("TPanel").
  String ClassName() const;
};

class TPersistent : public TObject {
public:
  // Copies the published state of source; raises EConvertError when neither
  // side knows how ("Cannot assign a X to a Y").
  virtual void Assign(const TPersistent& source);

protected:
  virtual void AssignTo(TPersistent& dest) const;
};

enum class TOperation { opInsert, opRemove };

// Component state flags (csLoading, csDestroying, ...), combined as a bit set.
enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csUpdating = 1u << 5,
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const String& Name() const { return FName; }
  virtual void SetName(const String& value);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t value) { FTag = value; }
  TComponentState ComponentState() const { return FComponentState; }
  bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  // Case-insensitive, as component names are.
  TComponent* FindComponent(const String& name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Asks that component's Notification(this, opRemove) be called when this
  // component is freed; mutual, so either side may go first.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called from the destructor before the owned components are freed; lets
  // a descendant drop resources that reference them while they still exist.
  void BeginDestroy() { FComponentState |= csDestroying; }

  // The component's properties are all set: forms built in code call it on
  // the components they own once their constructor has run, where a form
  // read from a stream would call it after reading.
  virtual void Loaded() { FComponentState &= ~static_cast<unsigned>(csLoading); }

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void SetComponentState(TComponentState state) { FComponentState = state; }

private:
  void DestroyComponents();

  TComponent* FOwner = nullptr;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
