#pragma once
// Byte streams with 64-bit positions: files (through the Win32 file API, as
// paths are Windows paths), memory, and a text wrapper.
#include "platform/classes/Component.h"
#include "platform/classes/TextEncoding.h"
#include <cstdint>
#include <vector>

enum TSeekOrigin {
  soBeginning = 0,
  soCurrent = 1,
  soEnd = 2,
  soFromBeginning = 0,
  soFromCurrent = 1,
  soFromEnd = 2,
};

class TStream : public TObject {
public:
  // Read and Write move up to count bytes and return how many moved.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Returns the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  // Read-or-fail: EReadError / EWriteError when fewer bytes move.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t value) { Seek(value, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t newSize);

  // Copies count bytes from source's position; count 0 copies the whole
  // source from its beginning. Returns the bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

// File open modes and share flags, combined with |.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFF00;

// A stream over an open Win32 handle it does not own.
class THandleStream : public TStream {
public:
  explicit THandleStream(void* handle) : FHandle(handle) {}
  void* Handle() const { return FHandle; }
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;

protected:
  void* FHandle;
};

// Raises EFCreateError ("Cannot create file ...") or EFOpenError ("Cannot
// open file ...") with the system's reason when the file cannot be had.
class TFileStream : public THandleStream {
public:
  TFileStream(const String& fileName, unsigned mode);
  ~TFileStream() override;
  const String& FileName() const { return FFileName; }

private:
  String FFileName;
};

class TMemoryStream : public TStream {
public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t newSize) override;

  void* Memory() { return FData.data(); }
  const void* Memory() const { return FData.data(); }
  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const String& fileName);
  void SaveToStream(TStream& stream);
  void SaveToFile(const String& fileName);

private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// A memory stream seeded from and read back as text in one encoding.
class TStringStream : public TMemoryStream {
public:
  explicit TStringStream(const String& text = String(),
                         TTextEncoding encoding = TTextEncoding::UTF8);
  explicit TStringStream(const std::string& bytes);
  String DataString();
  std::string Bytes();
  void WriteString(const String& text);

private:
  TTextEncoding FEncoding = TTextEncoding::UTF8;
};
