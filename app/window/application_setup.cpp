#include "application_setup.h"

#include "application_title.h"
#include "flat_style.h"
#include "version.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void preferPlatformThatPlacesWindows()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void layOutInScreenPixels()
{
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

void setUpApplication(QApplication& application)
{
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(CRIBAXON_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zorvanti-cribaxon"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/zorvanti-cribaxon.png")));

    // The program speaks Spanish whatever the user's locale, the toolkit's own dialogs included.
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    QLocale::setDefault(spanish);
    auto* translator = new QTranslator(&application);
    if (translator->load(spanish, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    // The nearest face to the original window font that Debian ships: the
    // same 13-pixel line height at 11 pixels, and about its width.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"));
    QApplication::setStyle(new FlatStyle);
}
