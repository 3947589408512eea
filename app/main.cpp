#include "application_setup.h"
#include "termination_signals.h"
#include "tfpral.h"

#include <QApplication>
#include <csignal>

int main(int argc, char* argv[])
{
    std::signal(SIGXFSZ, SIG_IGN); // past `ulimit -f` a write fails with its message, as a full disk does
    std::signal(SIGPIPE, SIG_IGN); // a pipe's reader going away is a write failure, shown in the error box
    preferPlatformThatPlacesWindows();
    layOutInScreenPixels();
    QApplication application(argc, argv);
    setUpApplication(application);
    TerminationSignals termination;
    TFPral FPral;
    QObject::connect(&termination, &TerminationSignals::received, &FPral, &TFPral::closeAtTermination);
    FPral.show();
    return application.exec();
}
