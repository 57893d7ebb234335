#include "app/Application.h"
#include "app/Environment.h"
#include "app/MainForm.h"
#include "app/MessageBoxes.h"
#include "app/SplashForm.h"
#include "app/StartWarmUp.h"

#include <memory>

int main(int argc, char** argv) {
    TStartWarmUp warmUp;
    TApplication application(argc, argv);
    auto splash = std::make_unique<TSplashForm>(warmUp.TakeSplashPicture());
    splash->ShowNow();
    TMainForm form(TEnvironment::FromApplication());
    splash.reset();
    if (form.OpenedElsewhere())
        return 0;
    form.ShowAtStart();
    return application.exec();
}
