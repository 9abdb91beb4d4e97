// The program block: the application object, the main window, the message loop.
#include "app/MainWindow.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Sequara");
    sequara::QtPlatform platform;
    sequara::MainWindow window(platform, QCoreApplication::applicationFilePath().toLocal8Bit().toStdString());
    platform.SetParent(&window);
    // Maximised at start; the screen's working area is also given as the
    // plain size, for window systems that ignore the maximised state.
    if (QScreen* screen = QGuiApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    window.activateWindow();
    return QApplication::exec();
}
