#pragma once
// Entry points bound by name; nil when the module or the entry is missing.
#include <windows.h>

template <typename T>
T BindProc(HMODULE Module, const char* Name) {
  return Module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}
