#pragma once
#include "platform/rtl/Exceptions.h"

// Every failure of the barcode library or of its binding.
class EBarcodeError : public Exception {
public:
  using Exception::Exception;
};
