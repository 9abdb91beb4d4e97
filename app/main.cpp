// The program block: the application object, the main window, the message loop.
#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Sequara");
    sequara::MainWindow window;
    window.showMaximized();
    return QApplication::exec();
}
