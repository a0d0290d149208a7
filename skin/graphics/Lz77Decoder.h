#pragma once
// The inflate state of the PNG reader: image data arrives chunk by chunk and
// leaves row by row, so input and output are handed over piece by piece.
#include "platform/rtl/Exceptions.h"
#include "skin/graphics/ZLibStream.h"
#include <cstdint>

// Setting up or tearing down the inflate state failed.
class EGraphicCompression : public Exception { using Exception::Exception; };

class TLZ77Decoder {
public:
  TLZ77Decoder(int flushMode, bool autoReset);
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  void DecodeInit();
  // Inflates packedSize bytes at source into up to unpackedSize bytes at
  // dest and moves both past what was used. Once zlib has answered
  // anything but 0 (the stream end included) it does nothing more.
  void Decode(const uint8_t*& source, uint8_t*& dest, uint32_t packedSize, uint32_t unpackedSize);
  void DecodeEnd();

  uint32_t AvailableInput() const { return FStream.avail_in; }
  uint32_t AvailableOutput() const { return FStream.avail_out; }
  int ZLibResult() const { return FZLibResult; }

private:
  TZStreamRec FStream{};
  int FZLibResult = Z_OK;
  int FFlushMode;
  bool FAutoReset;
  bool FInitialized = false;
};
