#pragma once
// Helpers of the main-window tests: answering a modal Qt dialog from a timer,
// a program folder holding the shipped default files, and a window started
// on the default data type.

#include "app/DataDefinitionDialog.h"
#include "app/MainWindow.h"
#include "commands/RunSetup.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
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

// Makes folder a program folder: the shipped settings and reference files.
inline void CopyShippedDefaults(const TempFolder& folder) {
    for (const char* name : {kSettingsFileName, kReferenceFileName})
        std::filesystem::copy_file(ShippedDefault(name), folder.file(name));
}

// Activates the shown window and presses Continue on its front panel,
// answering the data-type dialog with OK on the default "DNA".
inline void ContinueOnDna(MainWindow& window) {
    window.FormActivate();
    AnswerNextModal([](QDialog* dialog) {
        if (auto* d = qobject_cast<TDlgDataDefinition*>(dialog)) d->BitBtn1()->click();
        else dialog->reject();
    });
    window.FrontPanelOKButton()->click();
}

}  // namespace sequara::testing
