#pragma once
// A read-only stream that inflates zlib data from another stream on the fly.
// Packed skin entries lie back to back in one file, so a stream that reaches
// the end of its compressed data puts the source back on the first byte
// after it.
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include <zlib.h>
#include <array>

using TZStreamRec = z_stream;

enum class TZError { zeError, zeStreamError, zeDataError, zeMemoryError, zeBufferError, zeVersionError };

class EZLibError : public Exception {
public:
  // The message is zlib's result text for code (2 down to -7); the second
  // argument is not used.
  EZLibError(int code, const String& dummy);
  EZLibError(TZError error, const String& dummy);
  // A refused operation: the message alone, code 0.
  explicit EZLibError(String message) : Exception(std::move(message)) {}

  int ErrorCode() const { return FErrorCode; }
  void SetErrorCode(int value) { FErrorCode = value; }

private:
  int FErrorCode = 0;
};

class EZDecompressionError : public EZLibError { using EZLibError::EZLibError; };

// A negative zlib answer raises EZDecompressionError; others come back.
int CheckInflateResult(int code);

class TCustomZStream : public TStream {
protected:
  explicit TCustomZStream(TStream& stream);
  void NotifyProgress();

  static constexpr int BufferSize = 131072;

  TStream& FStream;
  int64_t FStreamPos;
  TNotifyEvent FOnProgress;
  TZStreamRec FZStream{};
  std::array<Bytef, BufferSize> FBuffer;
};

class TZDecompressionStream : public TCustomZStream {
public:
  // The source must stand on the first byte of the compressed data.
  explicit TZDecompressionStream(TStream& source);
  TZDecompressionStream(TStream& source, int windowBits);
  ~TZDecompressionStream() override;
  TZDecompressionStream(const TZDecompressionStream&) = delete;
  TZDecompressionStream& operator=(const TZDecompressionStream&) = delete;

  // Up to count inflated bytes; fewer when the source runs out or the
  // compressed data ends.
  int64_t Read(void* buffer, int64_t count) override;
  // Always raises: the stream only reads.
  int64_t Write(const void* buffer, int64_t count) override;
  // Positions count inflated bytes. Only a rewind, a forward skip and a
  // skip to the end are possible; the result is the bytes delivered so far.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  const TNotifyEvent& OnProgress() const { return FOnProgress; }
  void SetOnProgress(TNotifyEvent value) { FOnProgress = std::move(value); }

private:
  void SkipForward(int64_t count);

  // Where the source stood when the stream was made: a rewind goes back
  // there, not to the start of a source that holds other data before it.
  int64_t FStartPos;
};
