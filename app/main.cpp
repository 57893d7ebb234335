#include "app/Application.h"
#include "app/Environment.h"
#include "app/FontConfigWarmUp.h"
#include "app/MainForm.h"
#include "app/MessageBoxes.h"
#include "app/SplashForm.h"

#include <memory>

int main(int argc, char** argv) {
    TFontConfigWarmUp fonts;
    TApplication application(argc, argv);
    fonts.Wait();
    auto splash = std::make_unique<TSplashForm>();
    splash->ShowNow();
    TMainForm form(TEnvironment::FromApplication());
    splash.reset();
    if (form.OpenedElsewhere())
        return 0;
    form.ShowAtStart();
    return application.exec();
}
