#include "skin/graphics/Lz77Decoder.h"

namespace {
const char16_t* const DecoderError = u"LZ77 decompression error.";
}

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset) : FFlushMode(flushMode), FAutoReset(autoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (FInitialized) inflateEnd(&FStream);
}

void TLZ77Decoder::DecodeInit() {
  if (inflateInit_(&FStream, ZLIB_VERSION, sizeof(TZStreamRec)) < 0) throw EGraphicCompression(DecoderError);
  FInitialized = true;
  FZLibResult = Z_OK;
}

void TLZ77Decoder::Decode(const uint8_t*& source, uint8_t*& dest, uint32_t packedSize, uint32_t unpackedSize) {
  FStream.next_in = const_cast<Bytef*>(source);
  FStream.avail_in = packedSize;
  if (FAutoReset) FZLibResult = inflateReset(&FStream);
  if (FZLibResult != Z_OK) return;
  FStream.next_out = dest;
  FStream.avail_out = unpackedSize;
  FZLibResult = inflate(&FStream, FFlushMode);
  source = FStream.next_in;
  dest = FStream.next_out;
}

void TLZ77Decoder::DecodeEnd() {
  if (!FInitialized) return;
  FInitialized = false;
  if (inflateEnd(&FStream) < 0) throw EGraphicCompression(DecoderError);
}
