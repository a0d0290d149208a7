#include "skin/support/TestJpeg.h"
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

std::string EncodeTestJpeg(const uint8_t* Rgb, int Width, int Height, int Quality, bool Progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(Width);
  info.image_height = static_cast<JDIMENSION>(Height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, Quality, TRUE);
  if (Progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(Rgb + static_cast<size_t>(info.next_scanline) * Width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(out), size);
  jpeg_destroy_compress(&info);
  std::free(out);
  return bytes;
}
