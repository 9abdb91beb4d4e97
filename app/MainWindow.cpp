#include "app/MainWindow.h"

#include <QMdiArea>

namespace sequara {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)) {
    setWindowTitle("Sequara");
    setCentralWidget(mdi_);
    setMinimumSize(916, 684);
}

}  // namespace sequara
