#include "application_setup.h"
#include "tfpral.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    preferPlatformThatPlacesWindows();
    layOutInScreenPixels();
    QApplication application(argc, argv);
    setUpApplication(application);
    TFPral FPral;
    FPral.show();
    return application.exec();
}
