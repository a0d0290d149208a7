#pragma once
// Little-endian byte records: a writer that builds a record in memory, so a
// page reaches its file in one write, and a reader bounded by the bytes it
// was given, so no count or length read from a file can reach past them.
#include "platform/rtl/String.h"
#include <cstdint>
#include <string_view>

class TRLRecordWriter {
public:
  void WriteByte(uint8_t AValue) { FData.push_back(static_cast<char>(AValue)); }
  void WriteUInt16(uint16_t AValue);
  void WriteInt32(int32_t AValue);
  void WriteInt64(int64_t AValue);
  void WriteBytes(std::string_view ABytes) { FData.append(ABytes.data(), ABytes.size()); }
  // An int32 length and the bytes.
  void WriteString(std::string_view AText);
  // Writes a placeholder and returns where it is, for PatchInt32.
  size_t ReserveInt32();
  void PatchInt32(size_t AAt, int32_t AValue);

  size_t Size() const { return FData.size(); }
  const std::string& Data() const { return FData; }
  std::string& Data() { return FData; }
  void Clear() { FData.clear(); }

private:
  std::string FData;
};

// Every read past the end raises EReadError.
class TRLRecordReader {
public:
  explicit TRLRecordReader(std::string_view AData) : FData(AData) {}

  uint8_t ReadByte();
  uint16_t ReadUInt16();
  int32_t ReadInt32();
  int64_t ReadInt64();
  std::string_view ReadBytes(int64_t ACount);
  // An int32 length and that many bytes; a length of 0 or less reads none.
  std::string ReadString();
  void Skip(int64_t ACount) { ReadBytes(ACount); }
  // A reader over the next ACount bytes, which this one skips.
  TRLRecordReader Take(int64_t ACount) { return TRLRecordReader(ReadBytes(ACount)); }

  size_t Position() const { return FPos; }
  size_t Remaining() const { return FData.size() - FPos; }
  bool AtEnd() const { return FPos >= FData.size(); }

private:
  std::string_view FData;
  size_t FPos = 0;
};

[[noreturn]] void RaiseReadError();
