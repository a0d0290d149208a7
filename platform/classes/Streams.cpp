#include "platform/classes/Streams.h"
#include "platform/classes/FileReplace.h"
#include "platform/classes/Win32Error.h"
#include "platform/rtl/Exceptions.h"
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

// ---- TStream ----------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(u"Stream write error");
}

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) {}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count < 0) throw EReadError(u"Stream read error");
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr int64_t kChunk = 64 * 1024;
  std::vector<char> buffer(static_cast<size_t>(std::min(count, kChunk)));
  int64_t left = count;
  while (left > 0) {
    int64_t n = std::min(left, kChunk);
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return count;
}

// ---- THandleStream / TFileStream --------------------------------------------

namespace {
// One Win32 call moves at most a DWORD; larger requests loop.
constexpr int64_t kMaxIo = 0x40000000;
}  // namespace

int64_t THandleStream::Read(void* buffer, int64_t count) {
  int64_t total = 0;
  auto* p = static_cast<char*>(buffer);
  while (total < count) {
    DWORD want = static_cast<DWORD>(std::min(count - total, kMaxIo));
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(FHandle), p + total, want, &got, nullptr)) return total == 0 ? -1 : total;
    if (got == 0) break;
    total += got;
  }
  return total;
}

int64_t THandleStream::Write(const void* buffer, int64_t count) {
  int64_t total = 0;
  const auto* p = static_cast<const char*>(buffer);
  while (total < count) {
    DWORD want = static_cast<DWORD>(std::min(count - total, kMaxIo));
    DWORD put = 0;
    if (!WriteFile(static_cast<HANDLE>(FHandle), p + total, want, &put, nullptr)) return total == 0 ? -1 : total;
    if (put == 0) break;
    total += put;
  }
  return total;
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(static_cast<HANDLE>(FHandle), distance, &result, method)) return -1;
  return result.QuadPart;
}

void THandleStream::SetSize(int64_t newSize) {
  int64_t pos = Position();
  // Cutting the file where the pointer happens to be would lose its tail.
  if (newSize < 0 || Seek(newSize, soBeginning) != newSize) {
    DWORD error = newSize < 0 ? ERROR_NEGATIVE_SEEK : GetLastError();
    if (pos >= 0) Seek(pos, soBeginning);
    throw EStreamError(u"Stream write error: " + Win32ErrorText(error));
  }
  if (!SetEndOfFile(static_cast<HANDLE>(FHandle)))
    throw EStreamError(u"Stream write error: " + Win32ErrorText(GetLastError()));
  if (pos < newSize) Seek(pos, soBeginning);
}

TFileStream::TFileStream(const String& fileName, unsigned mode)
    : THandleStream(INVALID_HANDLE_VALUE), FFileName(fileName) {
  // As the platform maps them: compatibility and exclusive share nothing.
  static constexpr DWORD kShare[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE};
  const bool create = (mode & fmCreate) == fmCreate;
  unsigned shareIndex = (mode & 0xF0) >> 4;
  DWORD share = shareIndex < 5 ? kShare[shareIndex] : 0;
  DWORD access;
  switch (create ? fmOpenReadWrite : (mode & 0x3)) {
    case fmOpenWrite: access = GENERIC_WRITE; break;
    case fmOpenReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: access = GENERIC_READ; break;
  }
  HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(fileName.c_str()), access, share, nullptr,
                         create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    String reason = Win32ErrorText(GetLastError());
    if (create) throw EFCreateError(u"Cannot create file \"" + fileName + u"\". " + reason);
    throw EFOpenError(u"Cannot open file \"" + fileName + u"\". " + reason);
  }
  FHandle = h;
}

TFileStream::~TFileStream() {
  if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(static_cast<HANDLE>(FHandle));
}

// ---- TMemoryStream ----------------------------------------------------------

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  int64_t size = Size();
  if (count <= 0 || FPosition < 0 || FPosition >= size) return 0;
  int64_t n = std::min(count, size - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0 || FPosition < 0) return 0;
  // Past what memory can hold nothing is written, and WriteBuffer says so.
  if (count > static_cast<int64_t>(FData.max_size() / 2) - FPosition) return 0;
  int64_t end = FPosition + count;
  if (end > Size()) {
    try {
      FData.resize(static_cast<size_t>(end));
    } catch (const std::exception&) {
      return 0;
    }
  }
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soCurrent ? FPosition : origin == soEnd ? Size() : 0;
  // A position past what int64_t holds is refused, as a file refuses it.
  if ((offset > 0 && base > INT64_MAX - offset) || (offset < 0 && base < INT64_MIN - offset)) return -1;
  FPosition = base + offset;
  return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize) {
  if (newSize < 0) newSize = 0;
  try {
    if (static_cast<uint64_t>(newSize) > FData.max_size()) throw std::length_error("memory stream");
    FData.resize(static_cast<size_t>(newSize));
  } catch (const std::exception&) {
    throw EStreamError(u"Out of memory while expanding memory stream");
  }
  if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  int64_t count = stream.Size();
  SetSize(count);
  if (count != 0) stream.ReadBuffer(FData.data(), count);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TMemoryStream::SaveToStream(TStream& stream) {
  if (!FData.empty()) stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const String& fileName) {
  ReplaceFileBytes(fileName, std::string_view(static_cast<const char*>(Memory()), static_cast<size_t>(Size())));
}

// ---- TStringStream ----------------------------------------------------------

TStringStream::TStringStream(const String& text, TTextEncoding encoding) : FEncoding(encoding) {
  std::string bytes = EncodeText(text, encoding);
  // Only the text itself: a byte-order mark belongs to files, not to data.
  if (encoding == TTextEncoding::UTF8BOM) bytes.erase(0, 3);
  if (encoding == TTextEncoding::UTF16LE) bytes.erase(0, 2);
  if (!bytes.empty()) WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  SetPosition(0);
}

TStringStream::TStringStream(const std::string& bytes) : FEncoding(TTextEncoding::ANSI) {
  if (!bytes.empty()) WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  SetPosition(0);
}

std::string TStringStream::Bytes() {
  return std::string(static_cast<const char*>(Memory()), static_cast<size_t>(Size()));
}

String TStringStream::DataString() {
  std::string bytes = Bytes();
  switch (FEncoding) {
    case TTextEncoding::ANSI: return AnsiToString(bytes);
    case TTextEncoding::UTF16LE: return DecodeText("\xFF\xFE" + bytes);
    default: return Utf8ToString(bytes);
  }
}

void TStringStream::WriteString(const String& text) {
  std::string bytes = EncodeText(text, FEncoding);
  if (FEncoding == TTextEncoding::UTF8BOM) bytes.erase(0, 3);
  if (FEncoding == TTextEncoding::UTF16LE) bytes.erase(0, 2);
  if (!bytes.empty()) WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}
