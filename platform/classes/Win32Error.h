#pragma once
// The system's text for a Win32 error code, without the trailing period and
// line break, as error messages quote it.
#include "platform/rtl/String.h"

String Win32ErrorText(unsigned long errorCode);
