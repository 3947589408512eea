#include "application_setup.h"
#include "tfpral.h"

#include <QApplication>
#include <csignal>

int main(int argc, char* argv[])
{
    std::signal(SIGXFSZ, SIG_IGN); // past `ulimit -f` a write fails with its message, as a full disk does
    preferPlatformThatPlacesWindows();
    QApplication application(argc, argv);
    setUpApplication(application);
    TFPral FPral;
    FPral.show();
    return application.exec();
}
