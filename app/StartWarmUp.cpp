#include "app/StartWarmUp.h"

#include "app/SplashForm.h"

#include <system_error>
#include <utility>

#ifdef QUILLORIN_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

TStartWarmUp::TStartWarmUp() {
    try {
        FThread = std::thread([this] {
            FSplashPicture = SplashPicture();
#ifdef QUILLORIN_HAVE_FONTCONFIG
            FcInit();
#endif
        });
    } catch (const std::system_error&) {
        // No thread to spare: the picture is decoded here, and the first
        // text reads the configuration.
        FSplashPicture = SplashPicture();
    }
}

TStartWarmUp::~TStartWarmUp() {
    Wait();
}

void TStartWarmUp::Wait() {
    if (FThread.joinable())
        FThread.join();
}

QImage TStartWarmUp::TakeSplashPicture() {
    Wait();
    return std::exchange(FSplashPicture, QImage());
}
