// Damaged files with a fixed seed: whatever the damage, the reader raises
// one of its own errors, never crashes, hangs or allocates without bound.
#include "skin/graphics/PngGraphic.h"
#include "skin/png/PngTestSupport.h"
#include <gtest/gtest.h>
#include <png.h>
#include <chrono>
#include <random>

namespace {

enum class Outcome { Loaded, Refused, Foreign };

Outcome Load(const std::string& file) {
  TMemoryStream stream;
  PutBytes(stream, file);
  TPNGGraphic png;
  try {
    png.LoadFromStream(stream);
    return Outcome::Loaded;
  } catch (const EInvalidGraphic&) {
    return Outcome::Refused;
  } catch (const EZDecompressionError&) {
    return Outcome::Refused;
  } catch (const EReadError&) {
    return Outcome::Refused;
  } catch (...) {
    return Outcome::Foreign;
  }
}

std::vector<std::string> Seeds() {
  std::vector<std::string> files;
  PngImage rgba = DrawImage(9, 7, 6, 8, 1);
  rgba.Interlaced = true;
  files.push_back(WriteWithLibpng(rgba, PNG_ALL_FILTERS, 64));
  PngImage palette = DrawImage(11, 5, 3, 4, 2);
  palette.HasTrns = true;
  palette.TrnsAlpha = {0, 128, 255};
  palette.HasBkgd = true;
  palette.BkgdIndex = 2;
  files.push_back(WriteWithLibpng(palette, PNG_FILTER_PAETH));
  PngImage grey = DrawImage(6, 6, 0, 16, 3);
  grey.Gamma = 45455;
  files.push_back(WriteWithLibpng(grey, PNG_FILTER_AVG));
  return files;
}

}  // namespace

TEST(PngFuzz, DamagedFilesRaiseOnlyTheReadersErrors) {
  std::mt19937 rng(20261210);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  int foreign = 0;
  auto check = [&](const std::string& file, const char* what, size_t at) {
    if (Load(file) == Outcome::Foreign && ++foreign <= 5) ADD_FAILURE() << what << " at " << at;
  };
  for (const std::string& seed : Seeds()) {
    ASSERT_EQ(Load(seed), Outcome::Loaded);
    const std::vector<size_t> chunks = ChunkOffsets(seed);

    for (size_t cut = 0; cut < seed.size(); ++cut) check(seed.substr(0, cut), "truncated", cut);

    for (size_t at : chunks)
      for (uint32_t length : {0x7FFFFFFFu, 0xFFFFFFFFu, 0x80000000u, 0u}) {
        std::string file = seed;
        SetBigEndian(file, at, length);
        check(file, "length field", at);
      }

    // Bit flips, once as they come (mostly CRC errors) and once with the
    // chunk's CRC made right again so that the damage reaches the decoder.
    for (int round = 0; round < 3000 && std::chrono::steady_clock::now() < deadline; ++round) {
      std::string file = seed;
      const size_t at = 8 + rng() % (file.size() - 8);
      file[at] = static_cast<char>(file[at] ^ (1 << (rng() % 8)));
      check(file, "bit flip", at);
      for (size_t k = chunks.size(); k-- > 0;)
        if (chunks[k] <= at) {
          const size_t dataEnd = chunks[k] + 8 + BigEndian(seed, chunks[k]);
          if (at >= chunks[k] + 4 && at < dataEnd) {
            FixCrc(file, chunks[k]);
            check(file, "bit flip, CRC fixed", at);
          }
          break;
        }
    }
  }

  // Header sizes nobody can hold, with a valid CRC.
  const std::pair<uint32_t, uint32_t> sizes[] = {{0xFFFFFFFF, 1}, {1, 0xFFFFFFFF}, {0x7FFFFFFF, 0x7FFFFFFF},
                                                {65535, 65535}, {16385, 16385}, {16384, 16384}};
  for (auto [w, h] : sizes)
    for (int type : {0, 2, 3, 6}) {
      const std::string file = PngSignature() + Chunk("IHDR", IhdrData(w, h, 8, type)) +
                               Chunk("PLTE", "\x01\x02\x03") + Chunk("IDAT", ZlibOf(std::string(100, '\0'))) +
                               Chunk("IEND", "");
      EXPECT_EQ(Load(file), Outcome::Refused) << w << "x" << h << " type " << type;
    }
  EXPECT_EQ(foreign, 0);
}
