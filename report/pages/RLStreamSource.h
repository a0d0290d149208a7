#pragma once
// Reads a stream through a large buffer, so that many small fields cost few
// system calls, and refuses any read or seek outside the stream.
#include "platform/classes/Streams.h"
#include <cstdint>
#include <string>
#include <string_view>

class TRLStreamSource {
public:
  explicit TRLStreamSource(TStream& AStream);

  int64_t Position() const { return FPos; }
  int64_t Size() const { return FSize; }
  int64_t Remaining() const { return FSize - FPos; }
  // EReadError outside 0 .. Size.
  void Seek(int64_t APosition);
  // The bytes stay valid until the next read. EReadError when fewer are left.
  std::string_view Read(int64_t ACount);
  uint8_t ReadByte();
  int32_t ReadInt32();
  int64_t ReadInt64();
  // Leaves the stream positioned after what was read.
  void Finish() { FStream.SetPosition(FPos); }

private:
  static constexpr int64_t BufferSize = 1 << 20;
  TStream& FStream;
  int64_t FSize;
  int64_t FPos;
  std::string FBuffer;
  int64_t FBufferStart = 0;
  std::string FLarge;
};
