#pragma once
// The main window: an MDI frame captioned "Sequara".

#include <QMainWindow>

class QMdiArea;

namespace sequara {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    QMdiArea* mdiArea() const { return mdi_; }

private:
    QMdiArea* mdi_;
};

}  // namespace sequara
