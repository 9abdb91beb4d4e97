// Shows the main window on the shipped defaults, walks through the start of a
// run and saves a picture of the screen at each step:
//   1-front-panel.png     after the first activation
//   2-data-type.png       the data-type dialog after Continue
//   3-after-continue.png  the main window once the run is set up
//   4-load-menu.png       the Load menu opened
//   5-parameters.png      Parameters > Adjust
//   6-references.png      the reference chooser on two sample entries
//   7-progress-box.png    the automatic alignment's progress box over the
//                         disabled main window
//   8-open-fasta.png      the open dialog of Load > "&Fasta file (auto align)"
//   9-display-parameters.png  the editor's colour dialog on the run's colours
//  10-save-progress.png  the editor's save progress box at 40 %
//  11-save-dialog.png    the editor's save dialog with the DNA formats
//  12-find.png           the editor's find dialog with a motif typed
//  13-cell-popup.png     the sequence grid's popup on a character cell
//  14-name-popup.png     the sequence grid's popup on a name
//  15-about.png          the About box
//  16-output-formats.png Help > Output formats
//  17-poor-alignment.png Help > Poor alignment result
//  18-add-alignment.png  the open dialog of the editor's "Add alignment file"
//  19-after-add.png      the editor after adding a file with an inserted column
// Run under a display, for example
//   xvfb-run -a -s "-screen 0 1280x800x24" build/app/sequara_screenshots build/app out
// The first argument is the folder holding ReferenceSequence.txt and
// UserSettings.txt (the program's folder).
#include "commands/AutomaticAlignmentCommand.h"
#include "app/DataDefinitionDialog.h"
#include "app/DialogParameters.h"
#include "app/DialogReferences.h"
#include "app/MainWindow.h"
#include "editor/commands/SaveCommand.h"
#include "editor/ui/DialogDisplayParameters.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "editor/ui/DialogFind.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {

void settle(int milliseconds = 400) {
    for (int i = 0; i < milliseconds / 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void save(const QString& folder, const QString& name) {
    settle();
    QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString file = folder + "/" + name;
    std::printf("%s %s\n", shot.save(file) ? "saved" : "FAILED", qPrintable(file));
}

// A picture of one window alone.
void saveWidget(QWidget* widget, const QString& folder, const QString& name) {
    settle();
    const QString file = folder + "/" + name;
    std::printf("%s %s\n", widget->grab().save(file) ? "saved" : "FAILED", qPrintable(file));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sequara");
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s program-folder output-folder\n", argv[0]);
        return 2;
    }
    const QString programFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    sequara::QtPlatform platform;
    sequara::MainWindow window(platform, (programFolder + "/sequara").toLocal8Bit().toStdString());
    platform.SetParent(&window);
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    window.activateWindow();
    settle();
    window.FormActivate();
    save(out, "1-front-panel.png");

    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<sequara::TDlgDataDefinition*>(QApplication::activeModalWidget());
        if (!dialog) return;
        save(out, "2-data-type.png");
        dialog->BitBtn1()->click();
    });
    window.FrontPanelOKButton()->click();
    save(out, "3-after-continue.png");

    window.menuBar()->setActiveAction(window.Loadfromfastafile1());
    save(out, "4-load-menu.png");
    window.LoadMenu()->close();

    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<sequara::TDlgParameters*>(QApplication::activeModalWidget());
        if (!dialog) return;
        saveWidget(dialog, out, "5-parameters.png");
        dialog->OKBtn()->click();
    });
    window.AdjustParam()->trigger();

    sequara::TReferencesDlg references(&window);
    references.SetReferences({{"rCRS (NC_012920.1)", true, true},
                              {"RSRS", false, false}});
    references.show();
    saveWidget(&references, out, "6-references.png");
    references.close();

    window.SetEnabledKeepingProgressBox(false);
    window.ShowProgressBox();
    window.SetProgressText(sequara::kOrientationRunning);
    window.AlignmentProgressGauge()->setValue(40);
    save(out, "7-progress-box.png");
    window.AlignmentMessageBox()->hide();
    window.SetEnabledKeepingProgressBox(true);

    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        save(out, "8-open-fasta.png");
        dialog->reject();
    });
    platform.ChooseOpenFile(window.OpenFastaFileDialog());

    sequara::TDlgDisplayParameters colours(platform, &window);
    const sequara::WorkingState& s = window.State();
    colours.SetHeaderCol(s.HeaderColor);
    colours.SetRefSequCol(s.ReferenceColor);
    colours.SetMatchCol(s.MatchColor);
    colours.SetMismatchCol(s.MismatchColor);
    colours.SetSelectCol(s.SelectionColor);
    colours.SetHighlightCol(s.HighlightColor);
    colours.show();
    saveWidget(&colours, out, "9-display-parameters.png");
    colours.close();

    sequara::WorkingState& state = window.State();
    state.AlignedReference = {{"rCRS", "TTCTTTCATGGGGAAGCAGATTTGGGTACCACCCAAGTATTGACTCACCCATCAACAACCGCTATG"}};
    state.AlignedNumbering.clear();
    for (int p = 16024; p < 16024 + 66; ++p) state.AlignedNumbering.emplace_back(std::to_string(p));
    state.AlignedSequences = {{"sample 1", "TTCTTTCATGGGGAAGCAGATTTGGGTACCACCCAAGTATTGACTCACCCATCAACAACCGCTATG"},
                              {"sample 2", "TTCTTTCATGGGGAAGCAGATTTGGGTACCACCCAAGTATTGACTCACCCATCAACAACCGCTGTG"}};
    state.AlignmentTitle = "/data/sample.ali";
    sequara::FrmAlignmentCorrection* editor = window.OpenAlignmentEditor();
    editor->MsgBoxSaveInProgress()->show();
    editor->SaveProgressGauge()->setValue(40);
    save(out, "10-save-progress.png");
    editor->MsgBoxSaveInProgress()->hide();

    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        save(out, "11-save-dialog.png");
        dialog->reject();
    });
    sequara::FileDialogOptions saveOptions;
    saveOptions.Filters = sequara::DialogFilters(sequara::kDnaSaveFilter);
    saveOptions.FilterIndex = 4;
    platform.ChooseSaveFile(saveOptions);

    auto noSearch = [](const std::string&, sequara::SearchPosition&) { return sequara::FindOutcome::Found; };
    sequara::TKelvoraDlgFind find(noSearch, &window);
    find.show();
    find.EdtFind()->setText("ACGT");
    saveWidget(&find, out, "12-find.png");
    find.close();

    // Right clicks on a character cell and on a name open the popup.
    sequara::StringGridView* grid = editor->AlignedSequencesGrid();
    auto rightClick = [grid](int col, int row) {
        const QPoint at = grid->CellRect(col, row).center();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), grid->viewport()->mapToGlobal(QPointF(at)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &press);
    };
    rightClick(5, 1);
    save(out, "13-cell-popup.png");
    editor->AlignmentGridPopup()->hide();
    rightClick(0, 1);
    save(out, "14-name-popup.png");
    editor->AlignmentGridPopup()->hide();

    // Each modal box is pictured, then closed.
    auto pictureNextModal = [&](const QString& name) {
        QTimer::singleShot(300, [&, name] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            save(out, name);
            dialog->accept();
        });
    };
    pictureNextModal("15-about.png");
    window.About1()->trigger();
    pictureNextModal("16-output-formats.png");
    window.Outputformats1()->trigger();
    pictureNextModal("17-poor-alignment.png");
    window.Pooralignmentresult1()->trigger();

    // Add alignment file: the dialog, then a file of two samples, one with a
    // base inserted after 16031, chosen in it.
    const QString added = QDir(out).filePath("added.ali");
    {
        QFile file(added);
        if (file.open(QIODevice::WriteOnly)) {
            std::string ali = "rCRS;TTCTTTCA-TGGGGA\r\n";
            for (int p = 16024; p < 16038; ++p) ali += (p == 16024 ? "" : ";") + std::to_string(p) + (p == 16031 ? ";" : "");
            ali += "\r\nadded 1;TTCTTTCATTGGGGA\r\nadded 2;TTCTTTCA-TGGGGA\r\n";
            file.write(ali.data(), static_cast<qint64>(ali.size()));
        }
    }
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        save(out, "18-add-alignment.png");
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(added);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog makes accept() protected
    });
    editor->Addalignmentfile1()->trigger();
    QFile::remove(added);
    save(out, "19-after-add.png");
    return 0;
}
