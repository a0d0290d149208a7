#include "skin/graphics/ZLibStream.h"
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// Random bytes, or text-like bytes that compress well.
std::string MakeData(size_t size, bool compressible, unsigned seed) {
  std::mt19937 rng(seed);
  std::string data(size, '\0');
  for (size_t i = 0; i < size; ++i)
    data[i] = compressible ? "abcdefgh \n"[rng() % 10] : static_cast<char>(rng());
  return data;
}

std::string Compress(const std::string& data) {
  uLongf size = compressBound(data.size());
  std::string out(size, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                      data.size(), 6),
            Z_OK);
  out.resize(size);
  return out;
}

// zlib's own one-shot decoder, the reference.
std::string Uncompress(const std::string& packed, size_t size) {
  std::string out(size, '\0');
  uLongf got = size;
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &got, reinterpret_cast<const Bytef*>(packed.data()),
                       packed.size()),
            Z_OK);
  out.resize(got);
  return out;
}

void Put(TMemoryStream& stream, const std::string& bytes) {
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

std::string ReadAll(TStream& stream, int64_t piece) {
  std::string out;
  std::string buffer(static_cast<size_t>(piece), '\0');
  for (;;) {
    int64_t got = stream.Read(buffer.data(), piece);
    if (got <= 0) break;
    out.append(buffer.data(), static_cast<size_t>(got));
  }
  return out;
}

std::string ReadSome(TStream& stream, int64_t count) {
  std::string out(static_cast<size_t>(count), '\0');
  out.resize(static_cast<size_t>(stream.Read(out.data(), count)));
  return out;
}

}  // namespace

TEST(ZLibStream, InflatesLikeUncompressAroundTheBufferBoundaries) {
  const size_t sizes[] = {0, 1, 16383, 16384, 16385, 131071, 131072, 131073, 400000};
  unsigned seed = 1;
  for (size_t size : sizes) {
    for (bool compressible : {false, true}) {
      SCOPED_TRACE("size " + std::to_string(size) + (compressible ? " text" : " random"));
      const std::string packed = Compress(MakeData(size, compressible, seed++));
      const std::string expected = Uncompress(packed, size);
      for (int64_t piece : {int64_t{7919}, int64_t{16384}, int64_t{1} << 20}) {
        TMemoryStream source;
        Put(source, packed);
        source.SetPosition(0);
        TZDecompressionStream stream(source);
        EXPECT_TRUE(ReadAll(stream, piece) == expected) << "piece " << piece;
        EXPECT_EQ(stream.Position(), static_cast<int64_t>(size));
      }
    }
  }
}

TEST(ZLibStream, LeavesTheSourceOnTheNextEntryAfterTheStreamEnd) {
  const std::string first = MakeData(200000, false, 7);  // packs to more than one input buffer
  const std::string second = MakeData(5000, true, 8);
  const std::string packedFirst = Compress(first);
  const std::string packedSecond = Compress(second);
  TMemoryStream source;
  Put(source, "HEAD" + packedFirst + packedSecond + "TAIL");
  const int64_t firstEnd = 4 + static_cast<int64_t>(packedFirst.size());

  source.SetPosition(4);
  {
    TZDecompressionStream stream(source);
    EXPECT_TRUE(ReadSome(stream, 300000) == first);
    EXPECT_EQ(source.Position(), firstEnd);
  }
  {
    TZDecompressionStream stream(source);
    // A read that stops before zlib has seen the end leaves the read-ahead.
    EXPECT_EQ(ReadSome(stream, 10), second.substr(0, 10));
    EXPECT_EQ(source.Position(), source.Size());
    EXPECT_EQ(ReadSome(stream, 10000), second.substr(10));
    EXPECT_EQ(source.Position(), firstEnd + static_cast<int64_t>(packedSecond.size()));
    EXPECT_EQ(ReadSome(stream, 100), "");
  }
  EXPECT_EQ(ReadSome(source, 100), "TAIL");
}

TEST(ZLibStream, ReadsOnWhereItLeftTheSourceWhenOthersMovedIt) {
  const std::string data = MakeData(50000, true, 3);
  TMemoryStream source;
  Put(source, Compress(data));
  source.SetPosition(0);
  TZDecompressionStream stream(source);
  EXPECT_EQ(ReadSome(stream, 5000), data.substr(0, 5000));
  source.SetPosition(0);
  EXPECT_EQ(ReadSome(stream, 5000), data.substr(5000, 5000));
}

TEST(ZLibStream, SeeksForwardRewindsAndRefusesTheRest) {
  const std::string data = MakeData(100000, true, 5);
  const std::string packed = Compress(data);
  enum Outcome { Lands, Invalid, ReadError };
  struct Case {
    int64_t before, offset;
    TSeekOrigin origin;
    Outcome outcome;
    int64_t position;
  } cases[] = {
      {0, 0, soCurrent, Lands, 0},           {1000, 0, soCurrent, Lands, 1000},
      {1000, 500, soCurrent, Lands, 1500},   {0, 40000, soCurrent, Lands, 40000},
      {1000, 5000, soBeginning, Lands, 5000}, {1000, 0, soBeginning, Lands, 0},
      {1000, 0, soEnd, Lands, 100000},       {1000, 1000, soBeginning, Invalid, 0},
      {1000, 999, soBeginning, Invalid, 0},  {1000, -1, soCurrent, Invalid, 0},
      {1000, 5, soEnd, Invalid, 0},          {1000, -5, soEnd, Invalid, 0},
      {1000, 200000, soCurrent, ReadError, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("read " + std::to_string(c.before) + ", seek " + std::to_string(c.offset) + " from " +
                 std::to_string(c.origin));
    // Other bytes before the data: a rewind must go back to the entry, not
    // to the start of the source.
    TMemoryStream source;
    Put(source, "PREFIX" + packed);
    source.SetPosition(6);
    TZDecompressionStream stream(source);
    ReadSome(stream, c.before);
    if (c.outcome == Invalid) {
      try {
        stream.Seek(c.offset, c.origin);
        ADD_FAILURE() << "no error";
      } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message(), u"Invalid ZStream operation!");
        EXPECT_EQ(e.ErrorCode(), 0);
      }
      continue;
    }
    if (c.outcome == ReadError) {
      EXPECT_THROW(stream.Seek(c.offset, c.origin), EReadError);
      continue;
    }
    EXPECT_EQ(stream.Seek(c.offset, c.origin), c.position);
    EXPECT_EQ(ReadSome(stream, 100), data.substr(static_cast<size_t>(c.position), 100));
  }
}

TEST(ZLibStream, ErrorsCarryZlibsCodeAndText) {
  const std::string data = MakeData(20000, true, 9);
  std::string corrupt = Compress(data);
  for (size_t i = 10; i < 40; ++i) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);

  // A stream made with a preset dictionary.
  std::string withDictionary(1000, '\0');
  {
    z_stream z{};
    deflateInit(&z, 6);
    const char dictionary[] = "abcdefgh";
    deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dictionary), 8);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = 200;
    z.next_out = reinterpret_cast<Bytef*>(withDictionary.data());
    z.avail_out = static_cast<uInt>(withDictionary.size());
    deflate(&z, Z_FINISH);
    withDictionary.resize(z.total_out);
    deflateEnd(&z);
  }
  struct Case {
    const char* what;
    std::string packed;
    int code;
    const char16_t* message;
  } cases[] = {
      {"corrupt data", corrupt, -3, u"data error"},
      {"not a zlib header", std::string("\x00\x01\x02\x03\x04\x05", 6), -3, u"data error"},
      {"preset dictionary", withDictionary, 2, u"need dictionary"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TMemoryStream source;
    Put(source, c.packed);
    source.SetPosition(0);
    TZDecompressionStream stream(source);
    try {
      ReadAll(stream, 100000);
      ADD_FAILURE() << "no error";
    } catch (const EZDecompressionError& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
      EXPECT_EQ(e.Message(), c.message);
    }
  }

  TMemoryStream source;
  const std::string packed = Compress(data);
  Put(source, packed.substr(0, packed.size() / 2));
  source.SetPosition(0);
  TZDecompressionStream truncated(source);
  const std::string got = ReadAll(truncated, 4096);
  EXPECT_GT(got.size(), 0u);
  EXPECT_LT(got.size(), data.size());
  EXPECT_EQ(got, data.substr(0, got.size()));
  EXPECT_THROW(truncated.Write("x", 1), EZDecompressionError);

  const std::pair<int, const char16_t*> texts[] = {
      {2, u"need dictionary"}, {1, u"stream end"},   {0, u"ok"},
      {-1, u"file error"},     {-2, u"stream error"}, {-4, u"insufficient memory"},
      {-5, u"buffer error"},   {-6, u"incompatible version"}, {-7, u""}, {-8, u""}, {3, u""},
  };
  for (const auto& [code, text] : texts) EXPECT_EQ(EZLibError(code, u"").Message(), text) << code;
  EXPECT_EQ(EZLibError(TZError::zeMemoryError, u"").ErrorCode(), -4);
}

TEST(ZLibStream, ReportsProgressOncePerBufferRefill) {
  const std::string packed = Compress(MakeData(300000, false, 11));
  TMemoryStream source;
  Put(source, packed);
  source.SetPosition(0);
  TZDecompressionStream stream(source);
  int calls = 0;
  stream.SetOnProgress([&](TObject* sender) {
    EXPECT_EQ(sender, &stream);
    ++calls;
  });
  ReadAll(stream, 65536);
  EXPECT_EQ(calls, static_cast<int>((packed.size() + 131071) / 131072));
}
