#pragma once
// CRC-32 with the IEEE polynomial (as zip, PNG and Ethernet use it), for the
// journal's records.

#include <cstddef>
#include <cstdint>

// The checksum of `size` bytes, continuing from `crc` (0 to begin).
uint32_t crc32(const uint8_t *data, size_t size, uint32_t crc = 0);
