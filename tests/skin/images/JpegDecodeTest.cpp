#include "skin/graphics/JpegDecode.h"
#include "skin/support/TestJpeg.h"
#include <gtest/gtest.h>

namespace {
std::string TestImage(bool Progressive) {
  std::vector<uint8_t> rgb(40 * 24 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 13);
  return EncodeTestJpeg(rgb.data(), 40, 24, 90, Progressive);
}

// The dimensions in the first frame header.
std::string WithSize(std::string Bytes, uint16_t W, uint16_t H) {
  const size_t sof = Bytes.find("\xFF\xC0");
  if (sof == std::string::npos) return std::string();
  Bytes[sof + 5] = static_cast<char>(H >> 8);
  Bytes[sof + 6] = static_cast<char>(H);
  Bytes[sof + 7] = static_cast<char>(W >> 8);
  Bytes[sof + 8] = static_cast<char>(W);
  return Bytes;
}
}  // namespace

TEST(JpegDecode, DamagedDataIsRefusedNotFilledIn) {
  const std::string baseline = TestImage(false), progressive = TestImage(true);
  std::string marker = baseline;
  marker.insert(marker.size() / 2, "\xFF\xD9", 2);  // an end marker inside the scan
  struct Case {
    const char* What;
    std::string Bytes;
    bool Decoded;
  } cases[] = {
      {"whole", baseline, true},
      {"whole progressive", progressive, true},
      {"no end marker", baseline.substr(0, baseline.size() - 2), true},
      {"cut in the scan", baseline.substr(0, baseline.size() / 2), false},
      {"progressive cut", progressive.substr(0, progressive.size() * 3 / 4), false},
      {"marker in the scan", marker, false},
      // A few hundred bytes claiming 64 MB of pixels.
      {"forged size", WithSize(baseline, 16384, 4096), false},
  };
  for (const auto& c : cases) {
    TJpegPixels out;
    const std::string error = DecodeJpeg(reinterpret_cast<const uint8_t*>(c.Bytes.data()), c.Bytes.size(), out);
    EXPECT_EQ(error.empty(), c.Decoded) << c.What << ": " << error;
    if (c.Decoded) {
      EXPECT_EQ(out.Width, 40) << c.What;
      EXPECT_EQ(out.Pixels.size(), 40u * 24u) << c.What;
    } else {
      EXPECT_TRUE(out.Pixels.empty()) << c.What;
      EXPECT_EQ(out.Width, 0) << c.What;
    }
  }
}
