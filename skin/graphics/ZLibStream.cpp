#include "skin/graphics/ZLibStream.h"
#include <algorithm>
#include <climits>

namespace {

const char16_t* const ZErrorMessages[] = {
    u"need dictionary", u"stream end",   u"ok",
    u"file error",      u"stream error", u"data error",
    u"insufficient memory", u"buffer error", u"incompatible version",
    u"",
};

String ZErrorMessage(int code) {
  int index = 2 - code;
  if (index < 0 || index >= static_cast<int>(std::size(ZErrorMessages))) return String();
  return ZErrorMessages[index];
}

const char16_t* const InvalidOperation = u"Invalid ZStream operation!";
constexpr int SkipBlock = 16384;

}  // namespace

EZLibError::EZLibError(int code, const String&) : Exception(ZErrorMessage(code)), FErrorCode(code) {}

EZLibError::EZLibError(TZError error, const String& dummy) : EZLibError(-1 - static_cast<int>(error), dummy) {}

int CheckInflateResult(int code) {
  if (code < 0) throw EZDecompressionError(code, String());
  return code;
}

TCustomZStream::TCustomZStream(TStream& stream) : FStream(stream), FStreamPos(stream.Position()) {}

void TCustomZStream::NotifyProgress() {
  if (FOnProgress) FOnProgress(this);
}

TZDecompressionStream::TZDecompressionStream(TStream& source) : TCustomZStream(source), FStartPos(FStreamPos) {
  FZStream.next_in = FBuffer.data();
  FZStream.avail_in = 0;
  CheckInflateResult(inflateInit_(&FZStream, ZLIB_VERSION, sizeof(TZStreamRec)));
}

TZDecompressionStream::TZDecompressionStream(TStream& source, int windowBits)
    : TCustomZStream(source), FStartPos(FStreamPos) {
  FZStream.next_in = FBuffer.data();
  FZStream.avail_in = 0;
  CheckInflateResult(inflateInit2_(&FZStream, windowBits, ZLIB_VERSION, sizeof(TZStreamRec)));
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&FZStream); }

int64_t TZDecompressionStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (FStream.Position() != FStreamPos) FStream.SetPosition(FStreamPos);
  auto* out = static_cast<Bytef*>(buffer);
  int64_t delivered = 0;
  int code = Z_OK;
  // zlib counts in 32 bits: a larger request is served in pieces.
  while (delivered < count && code != Z_STREAM_END) {
    FZStream.next_out = out + delivered;
    FZStream.avail_out = static_cast<uInt>(std::min<int64_t>(count - delivered, INT_MAX));
    const uInt asked = FZStream.avail_out;
    while (FZStream.avail_out > 0 && code != Z_STREAM_END) {
      if (FZStream.avail_in == 0) {
        int64_t got = FStream.Read(FBuffer.data(), BufferSize);
        if (got <= 0) return delivered + (asked - FZStream.avail_out);
        FZStream.avail_in = static_cast<uInt>(got);
        FZStream.next_in = FBuffer.data();
        FStreamPos = FStream.Position();
        NotifyProgress();
      }
      code = CheckInflateResult(inflate(&FZStream, Z_NO_FLUSH));
      // No dictionary can be supplied: inflating again would not progress.
      if (code == Z_NEED_DICT) throw EZDecompressionError(code, String());
    }
    delivered += asked - FZStream.avail_out;
  }
  if (code == Z_STREAM_END && FZStream.avail_in > 0) {
    FStream.Seek(-static_cast<int64_t>(FZStream.avail_in), soCurrent);
    FStreamPos = FStream.Position();
    FZStream.avail_in = 0;
  }
  return delivered;
}

int64_t TZDecompressionStream::Write(const void*, int64_t) { throw EZDecompressionError(InvalidOperation); }

void TZDecompressionStream::SkipForward(int64_t count) {
  std::array<uint8_t, SkipBlock> scratch;
  for (int64_t i = count / SkipBlock; i > 0; --i) ReadBuffer(scratch.data(), SkipBlock);
  ReadBuffer(scratch.data(), count % SkipBlock);
}

int64_t TZDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t delivered = static_cast<int64_t>(FZStream.total_out);
  if (offset == 0 && origin == soBeginning) {
    CheckInflateResult(inflateReset(&FZStream));
    FZStream.next_in = FBuffer.data();
    FZStream.avail_in = 0;
    FStream.SetPosition(FStartPos);
    FStreamPos = FStartPos;
  } else if ((origin == soCurrent && offset >= 0) || (origin == soBeginning && offset - delivered > 0)) {
    if (origin == soBeginning) offset -= delivered;
    if (offset > 0) SkipForward(offset);
  } else if (origin == soEnd && offset == 0) {
    std::array<uint8_t, SkipBlock> scratch;
    while (Read(scratch.data(), SkipBlock) > 0) {
    }
  } else {
    throw EZDecompressionError(InvalidOperation);
  }
  return static_cast<int64_t>(FZStream.total_out);
}
