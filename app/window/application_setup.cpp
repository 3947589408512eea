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

namespace {

void installCatalogue(QApplication& application, const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        QApplication::installTranslator(translator);
}

} // namespace

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
    installCatalogue(application, spanish, QStringLiteral("qtbase"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // What Qt's catalogue lacks of its file dialog comes with the program; installed last, it is asked first.
    installCatalogue(application, spanish, QStringLiteral("qt_file_dialog"), QStringLiteral(":/translations"));

    // The nearest face to the original window font that Debian ships: the
    // same 13-pixel line height at 11 pixels, and about its width.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"));
    QApplication::setStyle(new FlatStyle);
}
