#include "app/Application.h"
#include "app/Environment.h"
#include "app/MainForm.h"
#include "app/MessageBoxes.h"
#include "app/SplashForm.h"

#include <memory>

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    auto splash = std::make_unique<TSplashForm>(SplashPicture());
    splash->ShowNow();
    TMainForm form(TEnvironment::FromApplication());
    splash.reset();
    if (form.OpenedElsewhere())
        return 0;
    form.ShowAtStart();
    return application.exec();
}
