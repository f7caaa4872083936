#pragma once

#include <QtGlobal>

#include <cstddef>

// CRC-32C (the iSCSI CRC, polynomial 0x1EDC6F41 reflected, register started at 0xFFFFFFFF,
// result inverted): folded with PCLMUL for long messages, with the processor's crc32
// instruction (SSE 4.2) for short ones, by tables where it has neither.
quint32 crc32c(const unsigned char *bytes, std::size_t count);
