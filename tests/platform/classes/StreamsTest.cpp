#include "TempFile.h"
#include "platform/classes/Streams.h"
#include "platform/classes/Strings.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

TEST(Streams, ReadBufferPastTheEndRaisesAndReadReturnsWhatThereIs) {
  TMemoryStream stream;
  stream.WriteBuffer("abcd", 4);
  stream.SetPosition(2);
  char buffer[8] = {};
  EXPECT_THROW(stream.ReadBuffer(buffer, 3), EReadError);

  stream.SetPosition(2);
  EXPECT_EQ(stream.Read(buffer, 8), 2);
  EXPECT_EQ(std::string(buffer, 2), "cd");
  EXPECT_EQ(stream.Read(buffer, 8), 0);

  TempFile file;
  {
    TFileStream out(file.Path(), fmCreate);
    out.WriteBuffer("xyz", 3);
  }
  TFileStream in(file.Path(), fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(in.Size(), 3);
  in.ReadBuffer(buffer, 3);
  EXPECT_THROW(in.ReadBuffer(buffer, 1), EReadError);
}

TEST(Streams, PositionsAreSixtyFourBit) {
  TMemoryStream stream;
  const int64_t beyond4G = 5'000'000'000LL;
  EXPECT_EQ(stream.Seek(beyond4G, soFromBeginning), beyond4G);
  char c;
  EXPECT_EQ(stream.Read(&c, 1), 0);
  EXPECT_EQ(stream.Seek(-beyond4G, soFromCurrent), 0);

  TempFile file;
  TFileStream big(file.Path(), fmCreate);
  EXPECT_EQ(big.Seek(beyond4G, soFromBeginning), beyond4G);  // no data written: only the position
  big.SetPosition(0);
  EXPECT_EQ(big.Size(), 0);
}

TEST(Streams, MemoryStreamRefusesPositionsAndCountsOutOfRange) {
  TMemoryStream stream;
  stream.WriteBuffer("abcd", 4);
  char buffer[8] = {'-', '-', '-', '-', '-', '-', '-', '-'};
  stream.SetPosition(-2);
  EXPECT_EQ(stream.Read(buffer, 4), 0);
  EXPECT_EQ(std::string(buffer, 4), "----");
  EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);

  // position + count past what a position can hold: nothing is written.
  stream.SetPosition(INT64_MAX - 1);
  EXPECT_EQ(stream.Write("xy", 2), 0);
  EXPECT_THROW(stream.WriteBuffer("xyz", 3), EWriteError);
  EXPECT_EQ(stream.Size(), 4);

  TMemoryStream copy;
  stream.SetPosition(0);
  EXPECT_THROW(copy.CopyFrom(stream, -1), EReadError);
  EXPECT_EQ(copy.Size(), 0);
}

TEST(Streams, HugeSizesAndSeeksAreRefusedWithoutLosingData) {
  TMemoryStream stream;
  stream.WriteBuffer("abcd", 4);
  EXPECT_THROW(stream.SetSize(INT64_MAX), EStreamError);
  EXPECT_THROW(stream.SetSize(int64_t{1} << 56), EStreamError);
  EXPECT_EQ(stream.Size(), 4);
  stream.SetPosition(INT64_MAX - 1);
  EXPECT_EQ(stream.Seek(10, soCurrent), -1);  // would pass what a position holds
  EXPECT_EQ(stream.Position(), INT64_MAX - 1);
  EXPECT_EQ(stream.Seek(INT64_MAX, soEnd), -1);
  stream.SetPosition(INT64_MIN + 1);
  EXPECT_EQ(stream.Seek(-10, soCurrent), -1);

  // A stream that claims more than memory holds.
  struct Bottomless : TStream {
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t) override { return 0; }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override { return origin == soEnd ? INT64_MAX - 8 : offset; }
  } bottomless;
  TMemoryStream copy;
  EXPECT_THROW(copy.LoadFromStream(bottomless), EStreamError);
  TStringList list;
  EXPECT_THROW(list.LoadFromStream(bottomless), EStreamError);

  TempFile file;
  TFileStream out(file.Path(), fmCreate);
  out.WriteBuffer("abcdef", 6);
  out.SetPosition(2);
  EXPECT_THROW(out.SetSize(-1), EStreamError);  // the file keeps its tail
  EXPECT_EQ(out.Size(), 6);
  EXPECT_EQ(out.Position(), 2);
}

TEST(Streams, FileOpenAndCreateErrorsNameTheFile) {
  TempFile file;
  try {
    TFileStream stream(file.Path(), fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError& e) {
    String prefix = u"Cannot open file \"" + file.Path() + u"\". ";
    EXPECT_EQ(e.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(e.Message().size(), prefix.size());  // the system's reason follows
  }
  const String badFolder = u"C:\\no\\such\\folder\\x.txt";
  try {
    TFileStream stream(badFolder, fmCreate);
    FAIL() << "created a file in a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(u"Cannot create file \"" + badFolder + u"\". ", 0), 0u);
  }
}

TEST(Streams, MemoryStreamFileRoundTripAndCopyFrom) {
  TempFile file;
  TMemoryStream source;
  std::string data(100'000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  source.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  source.SaveToFile(file.Path());
  EXPECT_EQ(file.ReadBytes(), data);

  TMemoryStream loaded;
  loaded.LoadFromFile(file.Path());
  ASSERT_EQ(loaded.Size(), static_cast<int64_t>(data.size()));
  EXPECT_EQ(std::string(static_cast<const char*>(loaded.Memory()), data.size()), data);

  TMemoryStream copy;
  loaded.SetPosition(10);
  EXPECT_EQ(copy.CopyFrom(loaded, 5), 5);
  EXPECT_EQ(std::string(static_cast<const char*>(copy.Memory()), 5), data.substr(10, 5));
  EXPECT_EQ(copy.CopyFrom(loaded, 0), static_cast<int64_t>(data.size()));  // 0 = everything
  EXPECT_EQ(copy.Size(), static_cast<int64_t>(data.size() + 5));
  EXPECT_THROW(copy.CopyFrom(loaded, 1), EReadError);  // source is at its end

  loaded.Clear();
  EXPECT_EQ(loaded.Size(), 0);
  EXPECT_EQ(loaded.Position(), 0);
}

TEST(Streams, OpenWriteKeepsTheFileAndWritesOverIt) {
  TempFile file;
  file.WriteBytes("hello world");
  {
    TFileStream stream(file.Path(), fmOpenWrite | fmShareDenyNone);
    stream.WriteBuffer("J", 1);
    stream.Seek(-1, soFromEnd);
    stream.WriteBuffer("D", 1);
  }
  EXPECT_EQ(file.ReadBytes(), "Jello worlD");
  {
    TFileStream stream(file.Path(), fmOpenReadWrite);
    stream.SetSize(5);
  }
  EXPECT_EQ(file.ReadBytes(), "Jello");
}

TEST(Streams, StringListFileRoundTripInBothEncodings) {
  TempFile file;
  TStringList list;
  list.SetText(u"Ação\r\nline=2");
  list.SaveToFile(file.Path());
  EXPECT_EQ(file.ReadBytes(), "A\xC3\xA7\xC3\xA3o\r\nline=2\r\n");
  TStringList back;
  back.LoadFromFile(file.Path());
  EXPECT_TRUE(back.Equals(list));

  list.SaveToFile(file.Path(), TTextEncoding::ANSI);
  EXPECT_EQ(file.ReadBytes(), "A\xE7\xE3o\r\nline=2\r\n");
  back.LoadFromFile(file.Path());
  EXPECT_TRUE(back.Equals(list));
}
