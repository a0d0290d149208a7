#pragma once
// Makes the components of the library's dialogs, through the application's
// creation hook when one is set.
#include "platform/classes/Component.h"
#include <functional>
#include <typeinfo>

// (class, owner, var component): may set component to an instance of its
// own of that class.
using TRLCreateComponentHook =
    std::function<void(const std::type_info& ComponentClass, TComponent* AOwner, TComponent*& AComponent)>;

extern TRLCreateComponentHook RLCreateComponentHook;

class TRLComponentFactory {
public:
  template <typename T>
  static void CreateComponent(TComponent* AOwner, T*& AComponent) {
    TComponent* made = nullptr;
    if (RLCreateComponentHook) RLCreateComponentHook(typeid(T), AOwner, made);
    AComponent = made ? dynamic_cast<T*>(made) : nullptr;
    if (!AComponent) AComponent = new T(AOwner);
  }
};
