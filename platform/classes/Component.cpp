#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

String TObject::ClassName() const {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status), &std::free);
  std::string name = status == 0 && demangled ? demangled.get() : typeid(*this).name();
  const size_t scope = name.rfind("::");
  if (scope != std::string::npos) name.erase(0, scope + 2);
  return AsciiToString(name);
}

namespace {
String ClassNameOf(const TObject& object) { return object.ClassName(); }

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool SameName(const String& a, const String& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}
}  // namespace

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
  throw EConvertError(u"Cannot assign a " + ClassNameOf(*this) + u" to a " + ClassNameOf(dest));
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  BeginDestroy();
  // Tell everyone holding a reference to us, then free what we own.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = other->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* child = FComponents.back();
    FComponents.pop_back();
    child->FOwner = nullptr;
    delete child;
  }
}

void TComponent::SetName(const String& value) {
  if (value == FName) return;
  if (FOwner && !value.empty()) {
    TComponent* clash = FOwner->FindComponent(value);
    if (clash && clash != this)
      throw EInvalidOperation(u"A component named " + value + u" already exists");
  }
  FName = value;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError(u"List index out of bounds (" + AsciiToString(std::to_string(index)) + u")");
  return FComponents[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const String& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameName(c->FName, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->FOwner == this) return;
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  FComponents.push_back(component);
  component->FOwner = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it == FComponents.end()) return;
  if (!IsDestroying()) Notification(component, TOperation::opRemove);
  FComponents.erase(std::find(FComponents.begin(), FComponents.end(), component));
  component->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
    FFreeNotifies.push_back(component);
  auto& back = component->FFreeNotifies;
  if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
  if (component) {
    auto& back = component->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  // Owned components hear of each other's removal, as the references
  // between siblings on one form are the common case.
  if (Operation == TOperation::opRemove && AComponent)
    RemoveFreeNotification(AComponent);
  for (TComponent* c : std::vector<TComponent*>(FComponents))
    if (c != AComponent && Operation == TOperation::opRemove) c->Notification(AComponent, Operation);
}
