#pragma once
// The PNG reader's error texts; each is raised as the platform's
// invalid-graphic exception.
#include "platform/ui/graphics/GraphicErrors.h"

namespace PngErrors {

inline constexpr const char16_t* InvalidFormat = u"Cannot load image. Invalid or unexpected PNG image format.";
inline constexpr const char16_t* SchemeNotSupported =
    u"Cannot load image. The compression scheme is not supported for PNG files.";
inline constexpr const char16_t* InvalidPalette = u"Cannot load image. Palette in PNG file is invalid.";
inline constexpr const char16_t* CrcError = u"Cannot load image. CRC error found in PNG file.";
inline constexpr const char16_t* CompressionError = u"Cannot load image. Compression error found in PNG file.";
inline constexpr const char16_t* ExtraData = u"Cannot load image. Extra compressed data found in PNG file.";
inline constexpr const char16_t* CriticalChunk = u"Cannot load PNG image. Unexpected but critical chunk detected.";
inline constexpr const char16_t* InvalidColorFormat = u"Invalid color format in PNG file.";

[[noreturn]] inline void Fail(const char16_t* message) { throw EInvalidGraphic(message); }

}  // namespace PngErrors
