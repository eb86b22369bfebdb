#include "app/app_icon.h"
#include "app/main_window.h"
#include "app/tavrix_application.h"
#include "platform/termination.h"

#include <csignal>

int main(int argc, char** argv) {
    // A file size limit makes a write fail with an error instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    TavrixApplication app(argc, argv);
    app.setWindowIcon(appIcon());
    tavrix::platform::quitOnTerminationSignals();
    TF1 F1;
    F1.show();
    return app.exec();
}
