// The skin library's own PNG reader against libpng on the same files (RGBA,
// palette, 16-bit RGB, Adam7), and its zlib stream reading 16 MiB against
// one inflate over the same buffer.
#include "skin/graphics/PngGraphic.h"
#include "skin/graphics/ZLibStream.h"
#include "support/BenchSupport.h"
#include "support/FastestReporter.h"
#include <benchmark/benchmark.h>
#include <png.h>
#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Sample {
  const char* Name;
  int ColorType, BitDepth;
  bool Interlaced;
  std::string File;
};

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void NoFlush(png_structp) {}

// A picture-like image: smooth gradients with a little noise, so that the
// filters and the compressor have real work.
std::string Encode(int side, int colorType, int depth, bool interlaced) {
  const int channels = colorType == 2 ? 3 : colorType == 6 ? 4 : 1;
  const size_t rowBytes = static_cast<size_t>(side) * channels * depth / 8;
  std::vector<uint8_t> pixels(rowBytes * side);
  std::mt19937 rng(42);
  for (int y = 0; y < side; ++y)
    for (size_t i = 0; i < rowBytes; ++i) {
      const int x = static_cast<int>(i / (channels * depth / 8));
      pixels[y * rowBytes + i] = static_cast<uint8_t>((x + y * 2 + static_cast<int>(i % channels) * 50) / 3 + rng() % 4);
    }
  std::vector<png_bytep> rows;
  for (int y = 0; y < side; ++y) rows.push_back(pixels.data() + y * rowBytes);
  std::vector<png_color> palette(256);
  for (int i = 0; i < 256; ++i)
    palette[i] = {static_cast<png_byte>(i), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * 3)};
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  png_set_write_fn(png, &out, Append, NoFlush);
  png_set_IHDR(png, info, side, side, depth, colorType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (colorType == 3) png_set_PLTE(png, info, palette.data(), 256);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<Sample>& Samples() {
  static std::vector<Sample> samples = [] {
    const int side = BenchSmoke() ? 48 : 1024;
    std::vector<Sample> s = {{"RGBA 8-bit", 6, 8, false, {}},
                             {"palette 8-bit", 3, 8, false, {}},
                             {"RGB 16-bit", 2, 16, false, {}},
                             {"RGBA 8-bit Adam7", 6, 8, true, {}}};
    for (Sample& sample : s) sample.File = Encode(side, sample.ColorType, sample.BitDepth, sample.Interlaced);
    return s;
  }();
  return samples;
}

// Loads into one object, as a reload does: the bitmap's section is reused.
void OwnReader(benchmark::State& state) {
  const Sample& sample = Samples()[static_cast<size_t>(state.range(0))];
  TMemoryStream stream;
  stream.WriteBuffer(sample.File.data(), static_cast<int64_t>(sample.File.size()));
  TPNGGraphic png;
  for (auto _ : state) {
    stream.SetPosition(0);
    png.LoadFromStream(stream);
    benchmark::DoNotOptimize(png.ScanLine(0));
  }
  state.SetLabel(sample.Name);
}

// A new object for every load pays for a new DIB section each time, which
// is slow under Wine (every page of it faults in); reported without a goal.
void OwnReaderNewObject(benchmark::State& state) {
  const Sample& sample = Samples()[static_cast<size_t>(state.range(0))];
  TMemoryStream stream;
  stream.WriteBuffer(sample.File.data(), static_cast<int64_t>(sample.File.size()));
  for (auto _ : state) {
    stream.SetPosition(0);
    TPNGGraphic png;
    png.LoadFromStream(stream);
    benchmark::DoNotOptimize(png.ScanLine(0));
  }
  state.SetLabel(sample.Name);
}

struct Cursor {
  const std::string* Bytes;
  size_t At;
};
void Take(png_structp png, png_bytep data, png_size_t length) {
  auto* cursor = static_cast<Cursor*>(png_get_io_ptr(png));
  if (cursor->At + length > cursor->Bytes->size()) png_error(png, "short");
  std::memcpy(data, cursor->Bytes->data() + cursor->At, length);
  cursor->At += length;
}

// libpng decoding to what the own reader gives: blue first, 16 bits
// brought to 8, palette indexes kept, into a new image each time as the
// own reader makes a new bitmap.
void Libpng(benchmark::State& state) {
  const Sample& sample = Samples()[static_cast<size_t>(state.range(0))];
  std::vector<png_bytep> rows;
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> pixels;
    Cursor cursor{&sample.File, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
      png_destroy_read_struct(&png, &info, nullptr);
      state.SkipWithError("libpng failed");
      break;
    }
    png_set_read_fn(png, &cursor, Take);
    png_read_info(png, info);
    png_set_bgr(png);
    if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    const uint32_t height = png_get_image_height(png, info);
    pixels.reset(new uint8_t[rowBytes * height]);
    rows.resize(height);
    for (uint32_t y = 0; y < height; ++y) rows[y] = pixels.get() + y * rowBytes;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.get());
  }
  state.SetLabel(sample.Name);
}

const std::string& Packed16MiB() {
  static const std::string packed = [] {
    const size_t size = BenchSize<size_t>(16u << 20, 1u << 20);
    std::string data(size, '\0');
    std::mt19937 rng(7);
    for (size_t i = 0; i < size; ++i) data[i] = "The quick brown fox jumps 0123456789\n"[rng() % 37];
    uLongf length = compressBound(size);
    std::string out(length, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.data()), size, 6);
    out.resize(length);
    return out;
  }();
  return packed;
}

size_t UnpackedSize() { return BenchSize<size_t>(16u << 20, 1u << 20); }

void ZStreamRead(benchmark::State& state) {
  TMemoryStream source;
  source.WriteBuffer(Packed16MiB().data(), static_cast<int64_t>(Packed16MiB().size()));
  std::vector<uint8_t> out(UnpackedSize());
  for (auto _ : state) {
    source.SetPosition(0);
    TZDecompressionStream stream(source);
    if (stream.Read(out.data(), static_cast<int64_t>(out.size())) != static_cast<int64_t>(out.size()))
      state.SkipWithError("short read");
    benchmark::DoNotOptimize(out.data());
  }
}

void OneInflate(benchmark::State& state) {
  const std::string& packed = Packed16MiB();
  std::vector<uint8_t> out(UnpackedSize());
  for (auto _ : state) {
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    if (inflate(&z, Z_FINISH) != Z_STREAM_END) state.SkipWithError("inflate failed");
    inflateEnd(&z);
    benchmark::DoNotOptimize(out.data());
  }
}

}  // namespace

BENCH_FASTEST(OwnReader)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(Libpng)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(OwnReaderNewObject)->Arg(0)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(ZStreamRead)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(OneInflate)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (int i = 0; i < 4; ++i) {
    const std::string arg = std::to_string(i);
    const double own = reporter.Time("OwnReader/" + arg);
    const double reference = reporter.Time("Libpng/" + arg);
    if (own > 0 && reference > 0) {
      const std::string what = std::string("own reader / libpng, ") + Samples()[i].Name;
      PrintRatio(what.c_str(), own / reference, Samples()[i].Interlaced ? 2.5 : 1.5);
    }
  }
  const double fresh = reporter.Time("OwnReaderNewObject/0");
  const double reference = reporter.Time("Libpng/0");
  if (fresh > 0 && reference > 0) PrintRatio("own reader into a new object / libpng, RGBA 8-bit", fresh / reference);
  const double stream = reporter.Time("ZStreamRead");
  const double inflateOnce = reporter.Time("OneInflate");
  if (stream > 0 && inflateOnce > 0) PrintRatio("zlib stream / one inflate, 16 MiB", stream / inflateOnce, 1.1);
  benchmark::Shutdown();
  return 0;
}
