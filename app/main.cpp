// The program block: the application object, the main window, the message loop.
#include "app/MainWindow.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Sequara");
    sequara::QtPlatform platform;
    sequara::MainWindow window(platform, QCoreApplication::applicationFilePath().toLocal8Bit().toStdString());
    platform.SetParent(&window);
    window.showMaximized();
    window.activateWindow();
    return QApplication::exec();
}
