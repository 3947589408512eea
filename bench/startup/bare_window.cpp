// The least a Qt Widgets program can do to show a window of the same size: the
// yardstick for the program's start-up time and idle memory.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window - Ver"));
    window.setFixedSize(300, 394);
    window.show();
    return application.exec();
}
