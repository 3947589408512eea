// The least a Qt Widgets program does to show a window of the same size with a
// line of text in it: the yardstick for the program's start-up time and idle
// memory. (A window without any text never loads a font, which every program
// that shows one must.)
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window - Ver"));
    window.setFixedSize(300, 394);
    window.setCentralWidget(new QLabel(QStringLiteral("Hola"), &window));
    if (application.arguments().contains(QStringLiteral("--empty")))
        window.centralWidget()->hide();
    window.show();
    return application.exec();
}
