#include "platform/rtl/Exceptions.h"

void Exception::SetMessage(String message) {
  FMessage = std::move(message);
  FWhat.clear();
}

const char* Exception::what() const noexcept {
  if (FWhat.empty()) FWhat = StringToUtf8(FMessage);
  return FWhat.c_str();
}

void Abort() { throw EAbort(); }
