// Any bytes given as "quillorin.ini" read without a crash, and what was read,
// written and read again is the same settings: the second reading writes the
// very same bytes.

#include "data/Settings.h"
#include "data/SettingsFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const QByteArray saved = EncodeSettings(ReadSettings(TSettingsFile(bytes)));
    if (EncodeSettings(ReadSettings(TSettingsFile(saved))) != saved) {
        std::fprintf(stderr, "saved settings, read again, saved to other bytes\n");
        std::abort();
    }
    return 0;
}
