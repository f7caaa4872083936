#pragma once

#include <QtGlobal>

#include <cstddef>

// The checksum every host object reports: polynomial 0x04C11DB7 taken most significant bit
// first, register started at 0xFFFFFFFF, nothing reflected, result inverted. Zero bytes give 0.
quint32 crc32(const unsigned char *bytes, std::size_t count);
