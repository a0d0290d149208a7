#pragma once
// The exception family the application and libraries raise and catch.
#include "platform/rtl/String.h"
#include <exception>

class Exception : public std::exception {
public:
  explicit Exception(String message) : FMessage(std::move(message)) {}
  const String& Message() const { return FMessage; }
  void SetMessage(String message);
  // UTF-8 copy of the message, for std::exception consumers and test output.
  const char* what() const noexcept override;

private:
  String FMessage;
  mutable std::string FWhat;
};

// Aborts an operation silently: handlers swallow it without a message.
class EAbort : public Exception {
public:
  EAbort() : Exception(u"Operation aborted") {}
  explicit EAbort(String message) : Exception(std::move(message)) {}
};

class EConvertError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidArgument : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EOutOfResources : public Exception { using Exception::Exception; };
class EInOutError : public Exception { using Exception::Exception; };

// Integer faults: C++ does not raise them, so code that must detect them
// checks and raises these itself.
class EIntError : public Exception { using Exception::Exception; };
class EDivByZero : public EIntError { using EIntError::EIntError; };
class ERangeError : public EIntError { using EIntError::EIntError; };
class EIntOverflow : public EIntError { using EIntError::EIntError; };
// Floating-point faults.
class EMathError : public Exception { using Exception::Exception; };
class EInvalidOp : public EMathError { using EMathError::EMathError; };
class EZeroDivide : public EMathError { using EMathError::EMathError; };
class EOverflow : public EMathError { using EMathError::EMathError; };
class EUnderflow : public EMathError { using EMathError::EMathError; };

class EDatabaseError : public Exception {
public:
  explicit EDatabaseError(String message, int errorCode = 0)
      : Exception(std::move(message)), FErrorCode(errorCode) {}
  // The server's or client's own error number; 0 when the layer raised it.
  int ErrorCode() const { return FErrorCode; }

private:
  int FErrorCode;
};

// Raises EAbort, as the platform's Abort routine does.
[[noreturn]] void Abort();
