#include "report/pages/RLPageFile.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLRecordStream.h"
#include "report/pages/RLStreamSource.h"
#include "report/pages/RLUtils.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include <array>
#include <climits>

namespace {
const std::array<std::string_view, 4> Signatures = {
    std::string_view("Quaden Metafile\x1A", 16),
    std::string_view("RPF2\x1A", 5),
    std::string_view("RLGraphicStorage3\x1A", 18),
    std::string_view("RLGraphicStorage4\x1A", 18),
};

// Writes go through a large buffer; positions count what is buffered.
constexpr size_t FlushSize = 1 << 20;

[[noreturn]] void RaiseTooLarge(int AVersion) {
  throw EWriteError(u"The report is too large for a page file of version " + IntToStr(AVersion) +
                    u": use version 4");
}

// An "Orientation" line shifted by ADelta for the versions below 3, which
// number it from 0; other lines come back unchanged.
String ShiftOrientation(const String& ALine, int ADelta, int ADefault) {
  size_t eq = ALine.find(u'=');
  if (eq == String::npos) return ALine;
  String name = Trim(ALine.substr(0, eq));
  if (!SameText(name, u"Orientation")) return ALine;
  int value = StrToIntDef(Trim(ALine.substr(eq + 1)), ADefault);
  return name + u"=" + IntToStr(static_cast<int64_t>(value) + ADelta);
}
}  // namespace

class TRLPageFileWriter {
public:
  TRLPageFileWriter(TRLGraphicStorage& AStorage, TStream& AStream)
      : FStorage(AStorage), FStream(AStream), FFlushed(AStream.Position()) {}

  void Write() {
    FStorage.FlushCache();
    int version = FStorage.FFileVersion;
    if (version < 1 || version > 4)
      throw Exception(u"Incorrect file version \"" + IntToStr(version) + u"\"!");
    FOut.WriteBytes(Signatures[static_cast<size_t>(version - 1)]);
    if (version > 1) {
      TStringList* macros = FStorage.FMacros.get();
      FOut.WriteInt32(macros->Count());
      for (int i = 0; i < macros->Count(); ++i) {
        String line = version < 3 ? ShiftOrientation(macros->Strings(i), -1, 1) : macros->Strings(i);
        FOut.WriteString(StringToAnsi(line));
      }
    }
    int count = FStorage.PageCount();
    FOut.WriteInt32(count);
    int64_t tablePos = Position();
    size_t entrySize = version == 4 ? 8 : 4;
    FOut.Data().append(entrySize * static_cast<size_t>(count), '\0');
    int64_t areaStart = Position();
    std::vector<int64_t> offsets(static_cast<size_t>(count));
    if (version > 2) {
      // Where each page will start is known before anything is written:
      // version 3 refuses a page beyond its 32-bit entries up front.
      int64_t at = areaStart;
      for (int i = 0; i < count; ++i) {
        if (version == 3 && at > INT32_MAX) RaiseTooLarge(version);
        offsets[static_cast<size_t>(i)] = at;
        at += 4 + FStorage.FPageLengths[static_cast<size_t>(i)];
      }
      CopyPageRecords();
    } else {
      for (int i = 0; i < count; ++i) {
        int64_t entry = Position() - areaStart;
        if (entry > INT32_MAX) RaiseTooLarge(version);
        offsets[static_cast<size_t>(i)] = entry;
        WriteLegacyPageRecord(FStorage.ReadPageRecord(i), FOut);
        if (FOut.Size() >= FlushSize) Flush();
      }
    }
    Flush();
    int64_t end = FFlushed;
    TRLRecordWriter table;
    for (int64_t entry : offsets) {
      if (version == 4)
        table.WriteInt64(entry);
      else
        table.WriteInt32(static_cast<int32_t>(entry));
    }
    if (!table.Data().empty()) {
      FStream.SetPosition(tablePos);
      FStream.WriteBuffer(table.Data().data(), static_cast<int64_t>(table.Size()));
    }
    FStream.SetPosition(end);
  }

private:
  int64_t Position() const { return FFlushed + static_cast<int64_t>(FOut.Size()); }

  // Page records (length and surface record) go out unchanged; pages that
  // lie one after another in the temporary file are copied as one run.
  void CopyPageRecords() {
    FStorage.FlushTempStream();
    int count = FStorage.PageCount();
    int64_t runStart = 0, runEnd = 0;
    auto copyRun = [&] {
      if (runEnd <= runStart) return;
      Flush();
      THandleStream& temp = *FStorage.FTempStream;
      temp.SetPosition(runStart);
      FOut.Data().resize(static_cast<size_t>(runEnd - runStart));
      temp.ReadBuffer(FOut.Data().data(), runEnd - runStart);
      Flush();
    };
    for (int i = 0; i < count; ++i) {
      int64_t at = FStorage.FPageAllocation.Items(i);
      int64_t end = at + 4 + FStorage.FPageLengths[static_cast<size_t>(i)];
      if (at != runEnd || runEnd - runStart >= static_cast<int64_t>(FlushSize)) {
        copyRun();
        runStart = at;
      }
      runEnd = end;
    }
    copyRun();
  }

  void Flush() {
    if (FOut.Data().empty()) return;
    FStream.SetPosition(FFlushed);
    FStream.WriteBuffer(FOut.Data().data(), static_cast<int64_t>(FOut.Size()));
    FFlushed += static_cast<int64_t>(FOut.Size());
    FOut.Clear();
  }

  TRLGraphicStorage& FStorage;
  TStream& FStream;
  int64_t FFlushed;
  TRLRecordWriter FOut;
};

class TRLPageFileReader {
public:
  TRLPageFileReader(TRLGraphicStorage& AStorage, TStream& AStream) : FStorage(AStorage), FIn(AStream) {}

  void Read() {
    std::string header;
    while (header.size() < 20 && FIn.Remaining() > 0) {
      char c = static_cast<char>(FIn.ReadByte());
      header.push_back(c);
      if (c == '\x1A') break;
    }
    int version = 0;
    for (size_t i = 0; i < Signatures.size(); ++i)
      if (header == Signatures[i]) version = static_cast<int>(i) + 1;
    if (version == 0) throw EReadError(u"Corrupt file header \"" + FromAnsiText(header) + u"\"!");
    FStorage.FFileVersion = version;

    if (version > 1) {
      int32_t macroCount = ReadCount(4);
      for (int32_t i = 0; i < macroCount; ++i) {
        int32_t length = ReadCount(1);
        String line = FromAnsiText(std::string(FIn.Read(length)));
        FStorage.FMacros->Add(version < 3 ? ShiftOrientation(line, 1, 0) : line);
      }
    }
    size_t entrySize = version == 4 ? 8 : 4;
    int32_t count = ReadCount(entrySize);
    std::vector<int64_t> entries(static_cast<size_t>(count));
    for (int64_t& entry : entries) entry = version == 4 ? FIn.ReadInt64() : FIn.ReadInt32();
    int64_t areaStart = FIn.Position();
    for (int64_t& entry : entries) {
      if (version <= 2) entry += areaStart;
      // Every page lies in the area after the table; an entry that points
      // elsewhere (a negative one, say) is a damaged file.
      if (entry < areaStart || entry > FIn.Size()) RaiseReadError();
    }

    FStorage.EnsureTempStream();
    for (int64_t entry : entries) {
      FIn.Seek(entry);
      int64_t at = FStorage.FTempEnd + static_cast<int64_t>(FTemp.Size());
      if (version > 2) {
        int32_t length = ReadCount(1);
        FTemp.WriteString(FIn.Read(length));
      } else {
        size_t lengthAt = FTemp.ReserveInt32();
        ReadLegacyPageRecord(&FStorage, FIn, FTemp);
        FTemp.PatchInt32(lengthAt, static_cast<int32_t>(FTemp.Size() - lengthAt - 4));
      }
      int index = FStorage.FPageAllocation.Add(at);
      FStorage.SetPage(index, at, static_cast<int32_t>(FStorage.FTempEnd + static_cast<int64_t>(FTemp.Size()) - at - 4));
      if (FTemp.Size() >= FlushSize) FlushTemp();
    }
    FlushTemp();
    FIn.Finish();
  }

private:
  // A count of items, each at least AMinBytes long, that the bytes left
  // can hold.
  int32_t ReadCount(size_t AMinBytes) {
    int32_t count = FIn.ReadInt32();
    if (count < 0 || static_cast<uint64_t>(count) * AMinBytes > static_cast<uint64_t>(FIn.Remaining()))
      RaiseReadError();
    return count;
  }

  void FlushTemp() {
    if (FTemp.Data().empty()) return;
    FStorage.AppendRecord(FTemp.Data());
    FTemp.Clear();
  }

  TRLGraphicStorage& FStorage;
  TRLStreamSource FIn;
  TRLRecordWriter FTemp;
};

void TRLGraphicStorage::SaveToStream(TStream& AStream) { TRLPageFileWriter(*this, AStream).Write(); }

void TRLGraphicStorage::LoadFromStream(TStream& AStream) {
  Clear();
  try {
    TRLPageFileReader(*this, AStream).Read();
  } catch (...) {
    // A failed load leaves an empty, usable store.
    Clear();
    throw;
  }
}
