#include "application_setup.h"
#include "termination_signals.h"
#include "tfpral.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    preferPlatformThatPlacesWindows();
    QApplication application(argc, argv);
    setUpApplication(application);
    TerminationSignals termination;
    TFPral FPral;
    QObject::connect(&termination, &TerminationSignals::received, &FPral, &TFPral::closeAtTermination);
    FPral.show();
    return application.exec();
}
