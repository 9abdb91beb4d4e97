#include "app/MainWindow.h"

#include "commands/AutomaticAlignmentCommand.h"
#include "app/DataDefinitionDialog.h"
#include "app/DialogAbout.h"
#include "app/JpegDecoder.h"
#include "platform/qt/ButtonGlyphs.h"
#include "platform/qt/ProgressGauge.h"
#include "commands/RunSetup.h"
#include "editor/ManualAlignmentControl.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "sequence/CharacterRules.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

// The front-panel picture is compiled into the program library; a static
// library's resources must be registered by name before first use.
static void initialiseAppResources() { Q_INIT_RESOURCE(sequara); }

namespace sequara {

namespace {
constexpr int kFrontPanelWidth = 865;
constexpr int kFrontPanelHeight = 593;
constexpr int kPictureWidth = 839;
constexpr int kPictureHeight = 570;
constexpr int kClientWidth = 900;
constexpr int kClientHeight = 626;

// The front panel: two lowered bevels of 5 pixels with a border of 3 between
// them, on the panel's background colour.
class BevelledPanel : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QRect r = rect();
        lowered(painter, r);
        r.adjust(kBevel + kBorder, kBevel + kBorder, -(kBevel + kBorder), -(kBevel + kBorder));
        lowered(painter, r);
    }

private:
    static constexpr int kBevel = 5;
    static constexpr int kBorder = 3;
    static void lowered(QPainter& painter, QRect r) {
        const QColor shadow(0x80, 0x80, 0x80), light(0xFF, 0xFF, 0xFF);
        for (int i = 0; i < kBevel; ++i) {
            painter.setPen(shadow);
            painter.drawLine(r.left(), r.top(), r.right(), r.top());
            painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
            painter.setPen(light);
            painter.drawLine(r.left() + 1, r.bottom(), r.right(), r.bottom());
            painter.drawLine(r.right(), r.top() + 1, r.right(), r.bottom());
            r.adjust(1, 1, -1, -1);
        }
    }
};
}  // namespace

MainWindow::MainWindow(Platform& platform, std::string programPath, QWidget* parent)
    : QMainWindow(parent), platform_(platform), programPath_(std::move(programPath)), run_(platform),
      mdi_(new QMdiArea(this)) {
    initialiseAppResources();
    setObjectName("FormMain");
    setWindowTitle("Sequara");
    mdi_->setObjectName("MdiClient");
    mdi_->setBackground(QColor(0x84, 0x8F, 0x9C));
    setCentralWidget(mdi_);
    createMenus();
    // The smallest window, 916 x 684 with its frame, leaves a client area of
    // 900 x 626 below the menu bar.  A Qt window's size leaves the frame out
    // but holds the menu bar, so the limit is that client area plus the bar.
    const QSize smallest(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setMinimumSize(smallest);
    resize(smallest);
    createOpenDialogs();
    createProgressBox();
    createFrontPanel();
    mdi_->installEventFilter(this);
    placePanels();
    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::FormCreate() {
    state_.FirstActivation = true;
    state_.AutoReverse = false;
}

void MainWindow::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");

    loadMenu_ = bar->addMenu("&Load");
    loadMenu_->setObjectName("Loadfromfastafile1");
    fastaAutoReverse_ = loadMenu_->addAction("Fasta file (auto align auto reverse)");
    fastafile1_ = loadMenu_->addAction("&Fasta file (auto align)");
    fastafileAlreadyAligned1_ = loadMenu_->addAction("Fa&sta file (display only)");
    alignment1_ = loadMenu_->addAction("Temporary &Alignment");
    gravityformat1_ = loadMenu_->addAction("&Gravity format");
    gravityformat1_->setVisible(false);
    forensicformat1_ = loadMenu_->addAction("F&orensic format");
    fastaAutoReverse_->setObjectName("FastaAutoReverse");
    fastafile1_->setObjectName("Fastafile1");
    fastafileAlreadyAligned1_->setObjectName("Fastafilealreadyaligned1");
    alignment1_->setObjectName("Alignment1");
    gravityformat1_->setObjectName("Gravityformat1");
    forensicformat1_->setObjectName("Forensicformat1");
    connect(fastaAutoReverse_, &QAction::triggered, this, &MainWindow::FastaAutoReverseClick);
    connect(fastafile1_, &QAction::triggered, this, &MainWindow::Loadfromfastafile1Click);
    connect(fastafileAlreadyAligned1_, &QAction::triggered, this, &MainWindow::Fastafilealreadyaligned1Click);
    connect(alignment1_, &QAction::triggered, this, &MainWindow::Alignment1Click);
    connect(gravityformat1_, &QAction::triggered, this, &MainWindow::Gravityformat1Click);
    connect(forensicformat1_, &QAction::triggered, this, &MainWindow::Forensicformat1Click);

    referenceMenu_ = bar->addMenu("&Reference sequence");
    referenceMenu_->setObjectName("Referencesequence1");
    referenceMenu_->menuAction()->setEnabled(false);
    change1_ = referenceMenu_->addAction("&Change");
    change1_->setObjectName("Change1");
    change1_->setEnabled(false);
    change1_->setVisible(false);
    new1_ = referenceMenu_->addAction("&New");
    new1_->setObjectName("New1");
    connect(change1_, &QAction::triggered, this, &MainWindow::Change1Click);
    connect(new1_, &QAction::triggered, this, &MainWindow::New1Click);

    parametersMenu_ = bar->addMenu("&Parameters");
    parametersMenu_->setObjectName("Parameters1");
    parametersMenu_->menuAction()->setEnabled(false);
    adjustParam_ = parametersMenu_->addAction("Ad&just");
    adjustParam_->setObjectName("AdjustParam");
    saveParam_ = parametersMenu_->addAction("Save");
    saveParam_->setObjectName("SaveParam");
    connect(adjustParam_, &QAction::triggered, this, &MainWindow::Parameters1Click);
    connect(saveParam_, &QAction::triggered, this, &MainWindow::SaveParamClick);

    about1_ = bar->addAction("&About");
    about1_->setObjectName("About1");
    about1_->setEnabled(false);

    helpMenu_ = bar->addMenu("&Help");
    helpMenu_->setObjectName("Help1");
    helpMenu_->menuAction()->setEnabled(false);
    outputformats1_ = helpMenu_->addAction("Output &formats");
    outputformats1_->setObjectName("Outputformats1");
    pooralignmentresult1_ = helpMenu_->addAction("&Poor alignment result");
    pooralignmentresult1_->setObjectName("Pooralignmentresult1");
    other1_ = helpMenu_->addAction("&Other");
    other1_->setObjectName("Other1");
    connect(about1_, &QAction::triggered, this, &MainWindow::About1Click);
    connect(outputformats1_, &QAction::triggered, this, &MainWindow::Outputformats1Click);
    connect(pooralignmentresult1_, &QAction::triggered, this, &MainWindow::Pooralignmentresult1Click);
    connect(other1_, &QAction::triggered, this, &MainWindow::Other1Click);

    for (QMenu* menu : {loadMenu_, referenceMenu_, parametersMenu_, helpMenu_}) menu->installEventFilter(this);

    exit1_ = bar->addAction("&Exit");
    exit1_->setObjectName("Exit1");
    connect(exit1_, &QAction::triggered, this, &MainWindow::Exit1Click);
}

void MainWindow::createOpenDialogs() {
    openFastaFileDialog_.Filters = {{"Fasta format (*.txt, *.fa; *.fas; *.fasta)", "*.txt; *.fa;*.fas;*.fasta"},
                                    {"All Files (*.*)", "*.*"}};
    openAlignmentDialog_.Filters = {{"Temporary Alignment (*.ali)", "*.ali"}};
    openGravityDialog_.Filters = {{"Gravity format (*.grv)", "*.grv"}};
    openForensicDialog_.Filters = {{"Forensic format (*.for)", "*.for"}};
    dlgLoadReference_.Filters = {{"Reference sequence files (*.txt)", "*.txt"}};
}

void MainWindow::createProgressBox() {
    // The box is a small window of its own over the client area: the whole
    // main window is disabled while the alignment runs, which would grey out
    // a child widget, while a window of its own stays enabled and drawn
    // normally.  It never takes the focus from the main window.
    alignmentMessageBox_ = new QGroupBox(this);
    alignmentMessageBox_->setObjectName("AlignmentMessageBox");
    alignmentMessageBox_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    alignmentMessageBox_->setAttribute(Qt::WA_ShowWithoutActivating);
    alignmentMessageBox_->setAutoFillBackground(true);
    alignmentMessageLabel_ = new QLabel(kAlignmentRunning, alignmentMessageBox_);
    alignmentMessageLabel_->setObjectName("AlignmentMessageLabel");
    alignmentProgressGauge_ = new ProgressGauge(QColor("navy"), alignmentMessageBox_);
    alignmentProgressGauge_->setObjectName("AlignmentProgressGauge");
    alignmentProgressGauge_->setMinimumSize(217, 33);
    alignmentProgressGauge_->setRange(0, 100);
    alignmentProgressGauge_->setValue(0);
    // The box grows with the label's text at the font in use: the label with
    // room on both sides over the gauge, which takes the box's width.
    auto* layout = new QVBoxLayout(alignmentMessageBox_);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    layout->addWidget(alignmentMessageLabel_, 0, Qt::AlignHCenter);
    layout->addWidget(alignmentProgressGauge_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    alignmentMessageBox_->hide();
}

void MainWindow::SetProgressText(const QString& text) {
    alignmentMessageLabel_->setText(text);
    alignmentMessageBox_->adjustSize();
}

void MainWindow::ShowProgressBox() {
    alignmentMessageBox_->adjustSize();
    alignmentMessageBox_->move(mdi_->mapToGlobal(kProgressBoxPlace));
    alignmentMessageBox_->show();
    alignmentMessageBox_->raise();
}

void MainWindow::SetEnabledKeepingProgressBox(bool enabled) {
    setEnabled(enabled);
    // A window's own windows follow it when it is disabled, but may be
    // enabled again on their own.
    alignmentMessageBox_->setEnabled(true);
}

void MainWindow::createFrontPanel() {
    frontPanel_ = new BevelledPanel(mdi_);
    frontPanel_->setObjectName("FrontPanel");
    frontPanel_->resize(kFrontPanelWidth, kFrontPanelHeight);
    frontPanel_->setAutoFillBackground(true);
    QPalette palette = frontPanel_->palette();
    palette.setColor(QPalette::Window, QColor(0xC8, 0xC8, 0xC8));
    frontPanel_->setPalette(palette);

    frontImage_ = new QLabel(frontPanel_);
    frontImage_->setObjectName("FrontImage");
    frontImage_->setGeometry(13, 12, kPictureWidth, kPictureHeight);
    frontImage_->setScaledContents(true);

    frontLabel_ = new QLabel(frontPanel_);
    frontLabel_->setObjectName("FrontLabel");
    frontLabel_->setGeometry(112, 330, 180, 27);
    frontLabel_->setAlignment(Qt::AlignCenter);
    frontLabel_->setAttribute(Qt::WA_TranslucentBackground);
    QFont labelFont("Lucida Sans");
    labelFont.setPixelSize(24);
    frontLabel_->setFont(labelFont);
    frontLabel_->setStyleSheet("color: #8c8c8c; background: transparent;");

    frontPanelOKButton_ = new QPushButton(OkGlyph(), "&Continue",
                                          frontPanel_);
    frontPanelOKButton_->setObjectName("FrontPanelOKButton");
    frontPanelOKButton_->setGeometry(720, 512, 105, 41);
    connect(frontPanelOKButton_, &QPushButton::clicked, this, &MainWindow::FrontPanelOKButtonClick);

    QFile picture(":/sequara/FrontPanel.jpg");
    if (picture.open(QIODevice::ReadOnly)) LoadFrontPicture(picture.readAll());
    frontPanel_->raise();
}

bool MainWindow::LoadFrontPicture(const QByteArray& jpeg) {
    try {
        DecodedImage decoded = DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.constData()),
                                          std::size_t(jpeg.size()), kPictureWidth, kPictureHeight);
        QImage image(decoded.Width, decoded.Height, QImage::Format_RGB888);
        const std::size_t stride = std::size_t(decoded.Width) * 3;
        for (int y = 0; y < decoded.Height; ++y)
            std::copy_n(decoded.Rgb.data() + std::size_t(y) * stride, stride, image.scanLine(y));
        frontImage_->setPixmap(QPixmap::fromImage(image));
        return true;
    } catch (const JpegError&) {
        frontImage_->clear();
        return false;
    }
}

void MainWindow::placePanels() {
    const int x = std::max(0, (mdi_->width() - kFrontPanelWidth) / 2);
    const int y = std::max(0, (mdi_->height() - kFrontPanelHeight) / 2);
    frontPanel_->move(x, y);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == mdi_ && e->type() == QEvent::Resize) placePanels();
    // A QMenu copies its own enabled state into its menu action whenever it
    // changes, so disabling and re-enabling the window (as the automatic
    // alignment does) would enable every top-level menu.  The menu actions
    // alone decide whether a menu can be opened.
    if (e->type() == QEvent::EnabledChange &&
        (watched == loadMenu_ || watched == referenceMenu_ || watched == parametersMenu_ || watched == helpMenu_))
        return true;
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!CloseAlignmentEditor(mdi_)) return e->ignore();
    QMainWindow::closeEvent(e);
}

bool MainWindow::event(QEvent* e) {
    const bool result = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return result;
}

QAction* MainWindow::Loadfromfastafile1() const { return loadMenu_->menuAction(); }
QAction* MainWindow::Referencesequence1() const { return referenceMenu_->menuAction(); }
QAction* MainWindow::Parameters1() const { return parametersMenu_->menuAction(); }
QAction* MainWindow::Help1() const { return helpMenu_->menuAction(); }

void MainWindow::FormActivate() {
    if (!state_.FirstActivation) return;
    state_.FirstActivation = false;
    Loadfromfastafile1()->setEnabled(false);
    exit1_->setEnabled(false);
    frontLabel_->setText(kVersionText);
    frontPanel_->show();
    frontPanel_->raise();
    platform_.ProcessMessages();
}

std::string MainWindow::askDataType() {
    TDlgDataDefinition dialog(this);
    dialog.SetDataType(state_.DataType);
    if (dialog.exec() == QDialog::Accepted) return dialog.GetDataType();
    return state_.DataType;
}

void MainWindow::FrontPanelOKButtonClick() {
    if (setUpDone_) return;
    setUpDone_ = true;
    frontPanel_->hide();
    state_.DataType = kDnaDataType;
    state_.AlignmentTitle = "Alignment Results";
    state_.DataType = askDataType();
    forensicformat1_->setVisible(false);
    state_.ApplicationFolder = ApplicationFolderOf(programPath_);
    state_.SettingsFileName = state_.ApplicationFolder + kSettingsFileName;
    ReadSettings(state_, platform_);
    ReadReference(state_, platform_);
    if (!CheckReference(state_, platform_, ReferenceCheckMoment::StartUp, MissingReferenceMessage())) {
        fastafile1_->setEnabled(false);
        forensicformat1_->setEnabled(false);
    }
    Loadfromfastafile1()->setEnabled(true);
    Referencesequence1()->setEnabled(true);
    exit1_->setEnabled(true);
    Help1()->setEnabled(true);
    about1_->setEnabled(true);
    Parameters1()->setEnabled(true);
    platform_.ProcessMessages();
    // Only a restored backup opens an editor; an unanswered offer opens
    // nothing, so no autosave replaces the backup it kept.
    if (OfferBackup(state_, platform_) == BackupOffer::Restored) OpenAlignmentEditor();
}

void MainWindow::Exit1Click() {
    // An open editor closes first and may ask to save; while it stays open
    // the program keeps running.
    if (!CloseAlignmentEditor(mdi_)) return;
    QCoreApplication::quit();
}

void MainWindow::LicenseWeblinkLabelClick() { OpenAddressOrShowIt(platform_, kTermsOfUseAddress); }

void MainWindow::About1Click() {
    TDlgAbout dialog(platform_, this);
    dialog.exec();
}

void MainWindow::Outputformats1Click() { ShowOutputFormatsHelp(platform_); }

void MainWindow::Pooralignmentresult1Click() { ShowPoorAlignmentHelp(platform_); }

void MainWindow::Other1Click() { HelpLinkButtonClick(platform_); }

}  // namespace sequara
