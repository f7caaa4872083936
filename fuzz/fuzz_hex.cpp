// Feeds arbitrary text to the HEX/S-record reader: every input must end in an image or a
// defect, and an image written back in either format must read back to the same bytes at the
// same address.
//
//   build-fuzz/fuzz/fuzz_hex -max_total_time=600 -rss_limit_mb=4096 fuzz/corpus_hex

#include "host/hexrecords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ImageBuffer image;
    quint32 lowest = 0;
    HexDefect defect;
    if (!readHexRecords(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), 0xFF,
                &image, &lowest, &defect)) {
        if (defect.line < 1 || defect.message.isEmpty())
            std::abort();
        return 0;
    }
    for (HexFormat format : { HexFormat::IntelHex, HexFormat::SRecord }) {
        const QByteArray text =
                writeHexRecords(format, image.data(), image.size(), lowest, lowest, "fuzz");
        ImageBuffer again;
        quint32 againLowest = 0;
        if (!readHexRecords(text, 0, &again, &againLowest, &defect) || againLowest != lowest
                || again != image)
            std::abort();
    }
    return 0;
}
