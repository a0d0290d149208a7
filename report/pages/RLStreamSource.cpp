#include "report/pages/RLStreamSource.h"
#include "report/pages/RLRecordStream.h"
#include <algorithm>

TRLStreamSource::TRLStreamSource(TStream& AStream)
    : FStream(AStream), FSize(AStream.Size()), FPos(AStream.Position()) {}

void TRLStreamSource::Seek(int64_t APosition) {
  if (APosition < 0 || APosition > FSize) RaiseReadError();
  FPos = APosition;
}

std::string_view TRLStreamSource::Read(int64_t ACount) {
  if (ACount < 0 || ACount > Remaining()) RaiseReadError();
  int64_t start = FPos;
  FPos += ACount;
  bool buffered = start >= FBufferStart && start + ACount <= FBufferStart + static_cast<int64_t>(FBuffer.size());
  if (buffered) return std::string_view(FBuffer).substr(static_cast<size_t>(start - FBufferStart), static_cast<size_t>(ACount));
  if (ACount > BufferSize) {
    FLarge.assign(static_cast<size_t>(ACount), '\0');
    FStream.SetPosition(start);
    FStream.ReadBuffer(FLarge.data(), ACount);
    return FLarge;
  }
  int64_t length = std::min(BufferSize, FSize - start);
  FBuffer.resize(static_cast<size_t>(length));
  FStream.SetPosition(start);
  FStream.ReadBuffer(FBuffer.data(), length);
  FBufferStart = start;
  return std::string_view(FBuffer).substr(0, static_cast<size_t>(ACount));
}

uint8_t TRLStreamSource::ReadByte() { return static_cast<uint8_t>(Read(1)[0]); }

int32_t TRLStreamSource::ReadInt32() { return TRLRecordReader(Read(4)).ReadInt32(); }

int64_t TRLStreamSource::ReadInt64() { return TRLRecordReader(Read(8)).ReadInt64(); }
