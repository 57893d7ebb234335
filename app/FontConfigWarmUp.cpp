#include "app/FontConfigWarmUp.h"

#include <system_error>

#ifdef QUILLORIN_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

TFontConfigWarmUp::TFontConfigWarmUp() {
#ifdef QUILLORIN_HAVE_FONTCONFIG
    try {
        FThread = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first text reads the configuration.
    }
#endif
}

TFontConfigWarmUp::~TFontConfigWarmUp() {
    Wait();
}

void TFontConfigWarmUp::Wait() {
    if (FThread.joinable())
        FThread.join();
}
