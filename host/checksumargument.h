#pragma once

#include "engine/value.h"
#include "host/checksums.h"

class ESContext;

// The algorithm a script names; a name outside the catalogue raises an Error that lists them.
const ChecksumAlgorithm &checksumArgument(ESContext *cx, const ESValue &name);
// The checksum of the bytes for a script: a CRC as an unsigned number, a digest as its text.
ESValue checksumValue(
        const ChecksumAlgorithm &algorithm, const unsigned char *bytes, std::size_t count);
