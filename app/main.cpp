#include "application_setup.h"
#include "ini_settings_store.h"
#include "posix_file_system.h"
#include "standard_descriptors.h"
#include "termination_signals.h"
#include "tfpral.h"
#include "write_signals.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    openClosedStandardDescriptors(PosixCalls::system());
    ignoreWriteSignals(); // a failed write is shown in the error box, as a full disk is
    preferPlatformThatPlacesWindows();
    layOutInScreenPixels();
    QApplication application(argc, argv);
    setUpApplication(application);
    TerminationSignals termination;
    PosixFileSystem files(PosixCalls::system());
    IniSettingsStore settings(IniSettingsStore::programFilePath(), PosixCalls::system());
    TFPral FPral(files, settings);
    QObject::connect(&termination, &TerminationSignals::received, &FPral, &TFPral::closeAtTermination);
    FPral.show();
    const int status = application.exec();
    return status != 0 ? status : FPral.exitStatus();
}
