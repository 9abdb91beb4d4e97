#pragma once
// Helpers of the main-window tests: answering a modal Qt dialog from a timer,
// and a program folder holding the shipped default files.

#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

namespace sequara::testing {

// Waits (polling the event loop) for the next modal dialog and hands it to
// answer, which must close it.  Gives up after about five seconds.
inline void AnswerNextModal(std::function<void(QDialog*)> answer) {
    auto tries = std::make_shared<int>(0);
    auto timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (++*tries > 1000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// The source copy of a shipped default file.
inline std::string ShippedDefault(const std::string& name) {
    return TestDataFile("../../app/defaults/" + name);
}

}  // namespace sequara::testing
