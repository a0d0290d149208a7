#pragma once
#include "platform/rtl/Exceptions.h"

// A picture file or stream that cannot be read: unknown format, corrupt or
// truncated data.
class EInvalidGraphic : public Exception { using Exception::Exception; };
// An operation the picture cannot carry out (unsupported pixel format, a
// size the system refuses).
class EInvalidGraphicOperation : public Exception { using Exception::Exception; };
