#include "report/pages/RLRecordStream.h"
#include "platform/rtl/Exceptions.h"
#include <cstring>

void RaiseReadError() { throw EReadError(u"Stream read error"); }

void TRLRecordWriter::WriteUInt16(uint16_t AValue) {
  char b[2] = {static_cast<char>(AValue & 0xFF), static_cast<char>(AValue >> 8)};
  FData.append(b, 2);
}

void TRLRecordWriter::WriteInt32(int32_t AValue) {
  uint32_t v = static_cast<uint32_t>(AValue);
  char b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  FData.append(b, 4);
}

void TRLRecordWriter::WriteInt64(int64_t AValue) {
  uint64_t v = static_cast<uint64_t>(AValue);
  char b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  FData.append(b, 8);
}

void TRLRecordWriter::WriteString(std::string_view AText) {
  WriteInt32(static_cast<int32_t>(AText.size()));
  WriteBytes(AText);
}

size_t TRLRecordWriter::ReserveInt32() {
  size_t at = FData.size();
  WriteInt32(0);
  return at;
}

void TRLRecordWriter::PatchInt32(size_t AAt, int32_t AValue) {
  uint32_t v = static_cast<uint32_t>(AValue);
  for (int i = 0; i < 4; ++i) FData[AAt + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string_view TRLRecordReader::ReadBytes(int64_t ACount) {
  if (ACount < 0 || static_cast<uint64_t>(ACount) > Remaining()) RaiseReadError();
  std::string_view bytes = FData.substr(FPos, static_cast<size_t>(ACount));
  FPos += static_cast<size_t>(ACount);
  return bytes;
}

uint8_t TRLRecordReader::ReadByte() { return static_cast<uint8_t>(ReadBytes(1)[0]); }

uint16_t TRLRecordReader::ReadUInt16() {
  std::string_view b = ReadBytes(2);
  return static_cast<uint16_t>(static_cast<uint8_t>(b[0]) | (static_cast<uint8_t>(b[1]) << 8));
}

int32_t TRLRecordReader::ReadInt32() {
  std::string_view b = ReadBytes(4);
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[i]);
  return static_cast<int32_t>(v);
}

int64_t TRLRecordReader::ReadInt64() {
  std::string_view b = ReadBytes(8);
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[i]);
  return static_cast<int64_t>(v);
}

std::string TRLRecordReader::ReadString() {
  int32_t length = ReadInt32();
  if (length <= 0) return std::string();
  return std::string(ReadBytes(length));
}
