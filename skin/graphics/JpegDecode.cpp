#include "skin/graphics/JpegDecode.h"
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

namespace {
struct TJpegError {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr Info) {
  auto* err = reinterpret_cast<TJpegError*>(Info->err);
  err->Base.format_message(Info, err->Message);
  std::longjmp(err->Jump, 1);
}

extern "C" void JpegNoOutput(j_common_ptr) {}

// libjpeg only warns when the compressed data runs out or breaks off, and
// fills the rest of the image with grey: taken as the error it is.
extern "C" void JpegDataWarning(j_common_ptr Info, int Level) {
  const int code = Info->err->msg_code;
  if (Level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC))
    JpegErrorExit(Info);
}

// Plain C frames only between the setjmp and libjpeg's jump back: the rows
// go into a buffer the caller owns, and nothing here has a destructor.
bool DecodeRows(jpeg_decompress_struct& Info, TJpegError& Err, const uint8_t* Data, size_t Size,
                TJpegPixels& Out, unsigned char* Row, size_t RowSize) {
  if (setjmp(Err.Jump)) return false;
  jpeg_mem_src(&Info, Data, static_cast<unsigned long>(Size));
  jpeg_read_header(&Info, TRUE);
  Info.out_color_space = JCS_RGB;
  jpeg_calc_output_dimensions(&Info);
  if (Info.output_width * 3u > RowSize) return false;
  jpeg_start_decompress(&Info);
  while (Info.output_scanline < Info.output_height) {
    const unsigned y = Info.output_scanline;
    JSAMPROW rows[1] = {Row};
    jpeg_read_scanlines(&Info, rows, 1);
    uint32_t* dst = Out.Pixels.data() + static_cast<size_t>(y) * Info.output_width;
    for (unsigned x = 0; x < Info.output_width; ++x)
      dst[x] = static_cast<uint32_t>(Row[3 * x]) << 16 | static_cast<uint32_t>(Row[3 * x + 1]) << 8 | Row[3 * x + 2];
  }
  jpeg_finish_decompress(&Info);
  return true;
}

// The header alone, so the buffers can be sized before decoding. MinBits is
// what the image data needs at the least: Huffman coding spends a bit or
// more on every 8 x 8 block of every component.
bool ReadSize(const uint8_t* Data, size_t Size, unsigned& W, unsigned& H, uint64_t& MinBits, TJpegError& Err) {
  jpeg_decompress_struct info{};
  info.err = jpeg_std_error(&Err.Base);
  Err.Base.error_exit = JpegErrorExit;
  Err.Base.output_message = JpegNoOutput;
  jpeg_create_decompress(&info);
  bool ok = false;
  if (!setjmp(Err.Jump)) {
    jpeg_mem_src(&info, Data, static_cast<unsigned long>(Size));
    jpeg_read_header(&info, TRUE);
    W = info.image_width;
    H = info.image_height;
    MinBits = 0;
    if (!info.arith_code)
      for (int c = 0; c < info.num_components; ++c)
        MinBits += uint64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
    ok = true;
  }
  jpeg_destroy_decompress(&info);
  return ok;
}
}  // namespace

std::string DecodeJpeg(const uint8_t* Data, size_t Size, TJpegPixels& Out) {
  Out = TJpegPixels();
  if (!Data || Size < 4) return "JPEG image is empty or truncated";
  TJpegError err{};
  unsigned w = 0, h = 0;
  uint64_t minBits = 0;
  if (!ReadSize(Data, Size, w, h, minBits, err)) return err.Message;
  // Bounded so that a forged header cannot ask for gigabytes.
  if (w == 0 || h == 0 || w > 16384 || h > 16384 || static_cast<uint64_t>(w) * h > (64u << 20))
    return "JPEG image size is out of range";
  if (minBits / 8 > Size) return "JPEG image data is too short for its size";
  Out.Pixels.assign(static_cast<size_t>(w) * h, 0);
  std::vector<unsigned char> row(static_cast<size_t>(w) * 3 + 16);
  jpeg_decompress_struct info{};
  info.err = jpeg_std_error(&err.Base);
  err.Base.error_exit = JpegErrorExit;
  err.Base.output_message = JpegNoOutput;
  err.Base.emit_message = JpegDataWarning;
  jpeg_create_decompress(&info);
  // A file that lacks no more than its end marker is whole: the marker is
  // supplied, so that running out of data means damage.
  std::vector<uint8_t> ended;
  if (Data[Size - 2] != 0xFF || Data[Size - 1] != 0xD9) {
    ended.assign(Data, Data + Size);
    ended.push_back(0xFF);
    ended.push_back(0xD9);
  }
  const bool ok = ended.empty() ? DecodeRows(info, err, Data, Size, Out, row.data(), row.size())
                                : DecodeRows(info, err, ended.data(), ended.size(), Out, row.data(), row.size());
  const unsigned outW = info.output_width, outH = info.output_height;
  jpeg_destroy_decompress(&info);
  if (!ok || outW != w || outH != h) {
    Out = TJpegPixels();
    return err.Message[0] ? std::string(err.Message) : std::string("JPEG image could not be decoded");
  }
  Out.Width = static_cast<int>(w);
  Out.Height = static_cast<int>(h);
  return std::string();
}
