#pragma once
// CRC-32 of PNG chunks (reflected polynomial 0xEDB88320).
#include <cstddef>
#include <cstdint>

// Continues crc (start with 0xFFFFFFFF) over size bytes; the chunk's CRC is
// the final value inverted.
uint32_t UpdatePngCrc(uint32_t crc, const uint8_t* data, size_t size);
