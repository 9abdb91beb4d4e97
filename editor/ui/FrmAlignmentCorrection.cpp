#include "editor/ui/FrmAlignmentCorrection.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include "editor/ManualAlignmentControl.h"
#include "platform/qt/ProgressGauge.h"
#include "editor/commands/AddAlignment.h"
#include "editor/commands/Autosave.h"
#include "editor/commands/CellCommands.h"
#include "editor/commands/ColumnCommands.h"
#include "editor/commands/RowMove.h"
#include "editor/commands/SaveCommand.h"
#include "editor/commands/UndoCommands.h"

namespace sequara {

namespace {
constexpr int kMargin = 8;
constexpr int kOptionsHeight = 62;
constexpr int kAutosaveIntervalMs = 60000;

// The character a key press types, as the grid's key handler takes it:
// Ctrl with a letter gives its control character (Ctrl+C is 3); any other
// key with Ctrl or Alt gives none, so Ctrl+minus types no "-"; other keys
// give their 8-bit text; '\0' for none.
char KeyCharacter(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char>(key - Qt::Key_A + 1);
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) return '\0';
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() > 0xFF) return '\0';
    return static_cast<char>(text[0].unicode());
}

QFont GridFont() {
    QFont font("Arial");
    font.setPixelSize(11);
    return font;
}
}  // namespace

// The window's save progress box, shown while a file is written.
class FrmAlignmentCorrection::WindowSaveProgress : public SaveProgress {
public:
    explicit WindowSaveProgress(FrmAlignmentCorrection& window) : w_(window) {}
    void Show() override {
        w_.saveProgressGauge_->setValue(0);
        w_.msgBoxSaveInProgress_->show();
        w_.msgBoxSaveInProgress_->raise();
        w_.msgBoxSaveInProgress_->repaint();
        w_.run_.platform().ProcessMessages();
    }
    void SetPosition(std::int32_t percent) override { w_.saveProgressGauge_->setValue(percent); }
    void Hide() override { w_.msgBoxSaveInProgress_->hide(); }

private:
    FrmAlignmentCorrection& w_;
};

// The autosave's hold on Timer1.
class FrmAlignmentCorrection::WindowAutosaveTimer : public AutosaveTimer {
public:
    explicit WindowAutosaveTimer(QTimer*& timer) : timer_(timer) {}
    void Stop() override { timer_->stop(); }
    void Start() override { timer_->start(); }

private:
    QTimer*& timer_;
};

// Sequence grid: the names column, then one cell per alignment column, in
// the colours the model decides.
class FrmAlignmentCorrection::SequencePainter : public GridCellPainter {
public:
    explicit SequencePainter(FrmAlignmentCorrection& window) : w_(window) {}
    int ColumnWidth(int col) const override {
        return col == 0 ? w_.model_.NameWidth() : AlignmentEditorModel::kCellWidth;
    }
    void PaintCell(QPainter& p, const QRect& rect, int col, int row) override {
        AlignmentEditorModel& m = w_.model_;
        if (col == 0) {
            if (m.EnsureMinimumNameWidth()) QTimer::singleShot(0, &w_, [this] { w_.AdjustCellSizes(); });
            p.fillRect(rect, ToQColor(m.NameCellBackground(row)));
            p.setFont(w_.glyphs_.font());
            p.setPen(Qt::black);
            // A highlighted name starts at the cell's edge, the others where
            // the grid writes fixed cells.
            const int inset = row == m.View().HighlightedRow ? 0 : 2;
            p.save();
            p.setClipRect(rect);  // a long name ends at the column's edge
            const std::string_view name = m.ShownName(row, rect.width());
            p.drawText(rect.adjusted(inset, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())));
            p.restore();
            return;
        }
        CellAppearance a;
        if (!m.AlignedSequencesGridDrawCell(col, row, a)) {
            p.fillRect(rect, Qt::white);
            return;
        }
        p.drawPixmap(rect.topLeft(), w_.glyphs_.Cell(a.Drawn, ToQColor(a.Background).rgb(), rect.width(),
                                                     rect.height(), GlyphCache::Placement::Centred,
                                                     p.device()->devicePixelRatioF()));
    }

private:
    FrmAlignmentCorrection& w_;
};

// Reference grid: five header rows with each column's label written
// downwards in the header colour, then the reference row.
class FrmAlignmentCorrection::ReferencePainter : public GridCellPainter {
public:
    explicit ReferencePainter(FrmAlignmentCorrection& window) : w_(window) {}
    int ColumnWidth(int) const override { return AlignmentEditorModel::kCellWidth; }
    void PaintCell(QPainter& p, const QRect& rect, int col, int row) override {
        AlignmentEditorModel& m = w_.model_;
        const WorkingState& s = m.State();
        char c = '\0';
        QRgb background;
        if (row < AlignmentEditorModel::kHeaderRows) {
            c = m.HeaderCell(col, row);
            background = ToQColor(s.HeaderColor).rgb();
        } else {
            c = m.ReferenceCell(col);
            // The reference grid shows its selection while it is in use: when
            // it has the focus or several columns are selected.
            const GridRect& sel = m.ReferenceGrid().Selection();
            const bool shown = w_.referenceGrid_->hasFocus() || sel.Left != sel.Right;
            const bool selected = shown && sel.Contains(col, row);
            background = selected ? ToQColor(s.SelectionColor).rgb() : ToQColor(s.ReferenceColor).rgb();
        }
        p.drawPixmap(rect.topLeft(), w_.glyphs_.Cell(c, background, rect.width(), rect.height(),
                                                     GlyphCache::Placement::Centred,
                                                     p.device()->devicePixelRatioF()));
    }

private:
    FrmAlignmentCorrection& w_;
};

FrmAlignmentCorrection::FrmAlignmentCorrection(RunContext& run, QWidget* parent)
    : QWidget(parent), run_(run), model_(run), glyphs_(GridFont()),
      sequencePainter_(std::make_unique<SequencePainter>(*this)),
      referencePainter_(std::make_unique<ReferencePainter>(*this)),
      saveProgress_(std::make_unique<WindowSaveProgress>(*this)) {
    setWindowTitle("Alignment results");
    createComponents();
    createMenus();
    FormCreate();
}

FrmAlignmentCorrection::~FrmAlignmentCorrection() {
    // The grids draw through the painters and cursors that are members of
    // this window: they go first.
    delete alignedSequencesGrid_;
    delete referenceGrid_;
}

void FrmAlignmentCorrection::createComponents() {
    referenceLabel_ = new QLabel("Reference sequence:  ", this);
    referenceLabel_->setObjectName("ReferenceLabel");
    lblReferenceName_ = new QLabel("--", this);
    lblReferenceName_->setObjectName("lblReferenceName");
    // The name label starts 115 pixels right of the caption label: both in
    // the small dialog font so that the caption fits.
    QFont labelFont = font();
    labelFont.setPixelSize(11);
    referenceLabel_->setFont(labelFont);
    lblReferenceName_->setFont(labelFont);

    referenceGrid_ = new StringGridView(model_.ReferenceGrid(), *referencePainter_, this);
    referenceGrid_->setObjectName("ReferenceGrid");
    referenceGrid_->SetScrollBarsShown(false);
    alignedSequencesGrid_ = new StringGridView(model_.SequenceGrid(), *sequencePainter_, this);
    alignedSequencesGrid_->setObjectName("AlignedSequencesGrid");
    alignedSequencesGrid_->SetScrollBarsShown(true);
    alignedSequencesGrid_->SetRowMoving(true);

    auto radio = [](const char* caption, const char* name, QWidget* parent, int y, bool checked) {
        auto* r = new QRadioButton(caption, parent);
        r->setObjectName(name);
        r->setGeometry(10, y, 170, 18);
        r->setChecked(checked);
        return r;
    };
    displayOptionsBox_ = new QGroupBox("Display options", this);
    displayOptionsBox_->setObjectName("DisplayOptionsBox");
    showMismatchesRadio_ = radio("Show mismatches", "ShowMismatchesRadio", displayOptionsBox_, 18, false);
    showMatchesRadio_ = radio("Show all", "ShowMatchesRadio", displayOptionsBox_, 38, true);
    insertionOptionBox_ = new QGroupBox("Insertion actions", this);
    insertionOptionBox_->setObjectName("InsertionOptionBox");
    insertionMoveRightRadio_ = radio("Shift cells right", "InsertionMoveRightRadio", insertionOptionBox_, 18, true);
    insertionMoveLeftRadio_ = radio("Shift cells left", "InsertionMoveLeftRadio", insertionOptionBox_, 38, false);
    deletionOptionBox_ = new QGroupBox("Deletion actions", this);
    deletionOptionBox_->setObjectName("DeletionOptionBox");
    deletionMoveRightRadio_ = radio("Shift cells right", "DeletionMoveRightRadio", deletionOptionBox_, 18, false);
    deletionMoveLeftRadio_ = radio("Shift cells left", "DeletionMoveLeftRadio", deletionOptionBox_, 38, true);
    chkMoveRight_ = new QCheckBox("Move right after having entered a nucleotide", this);
    chkMoveRight_->setObjectName("ChkMoveRight");
    chkMoveRight_->setChecked(true);

    msgBoxSaveInProgress_ = new QGroupBox(this);
    msgBoxSaveInProgress_->setObjectName("MsgBoxSaveInProgress");
    lblSaveInProgress_ = new QLabel("Saving is in progress. Please wait.", msgBoxSaveInProgress_);
    lblSaveInProgress_->setObjectName("LblSaveInProgress");
    lblSaveInProgress_->setGeometry(24, 24, 230, 18);
    saveProgressGauge_ = new ProgressGauge(QColor("blue"), msgBoxSaveInProgress_);
    saveProgressGauge_->setObjectName("SaveProgressGauge");
    saveProgressGauge_->setRange(0, 100);
    saveProgressGauge_->setValue(0);
    saveProgressGauge_->setGeometry(24, 56, 217, 25);
    msgBoxSaveInProgress_->resize(265, 100);
    msgBoxSaveInProgress_->hide();

    trackBar1_ = new QSlider(Qt::Horizontal, this);
    trackBar1_->setObjectName("TrackBar1");
    trackBar1_->setRange(0, AlignmentEditorModel::kTrackBarMax);
    trackBar1_->setValue(0);
    trackBar1_->setPageStep(1);
    trackBar1_->setTickPosition(QSlider::TicksBelow);
    trackBar1_->setTickInterval(1);
    trackBar1_->setToolTip("Width of the names column");

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(kAutosaveIntervalMs);

    connect(showMismatchesRadio_, &QRadioButton::clicked, this, &FrmAlignmentCorrection::ShowMismatchesRadioClick);
    connect(showMatchesRadio_, &QRadioButton::clicked, this, &FrmAlignmentCorrection::ShowMatchesRadioClick);
    for (QRadioButton* r : {insertionMoveRightRadio_, insertionMoveLeftRadio_, deletionMoveRightRadio_,
                            deletionMoveLeftRadio_})
        connect(r, &QRadioButton::clicked, this, &FrmAlignmentCorrection::RadioButtonPressed);
    connect(chkMoveRight_, &QCheckBox::toggled, this, [this](bool on) { model_.View().ChkMoveRight = on; });
    connect(trackBar1_, &QSlider::valueChanged, this, &FrmAlignmentCorrection::TrackBar1Change);
    connect(alignedSequencesGrid_, &StringGridView::TopLeftChanged, this,
            &FrmAlignmentCorrection::AlignedSequencesGridTopLeftChanged);
    connect(alignedSequencesGrid_, &StringGridView::RightClicked, this, &FrmAlignmentCorrection::showSequencePopup);
    connect(alignedSequencesGrid_, &StringGridView::CurrentCellChanged, this, [this](int col, int row) {
        model_.AlignedSequencesGridSelectCell(col, row, alignedSequencesGrid_->hasFocus());
        referenceGrid_->viewport()->update();
    });
    connect(referenceGrid_, &StringGridView::CurrentCellChanged, this, [this](int col, int row) {
        model_.ReferenceGridSelectCell(col, row, referenceGrid_->hasFocus());
        RefreshGrids();  // the sequence grid may have scrolled; the reference grid follows it
    });
    connect(alignedSequencesGrid_, &StringGridView::RowMoved, this, [this](int fromIndex, int toIndex) {
        runCommand([=](EditorContext& ctx) { AlignedSequencesGridRowMoved(ctx, fromIndex, toIndex); });
    });
    connect(referenceGrid_, &StringGridView::RightClicked, this, &FrmAlignmentCorrection::showReferencePopup);
    // Insert and Delete go to the key-down handler, every other key to the
    // typed-character handler.
    connect(alignedSequencesGrid_, &StringGridView::KeyPressed, this, [this](QKeyEvent* event) {
        if (event->key() == Qt::Key_Insert || event->key() == Qt::Key_Delete) {
            const int key = event->key() == Qt::Key_Insert ? kVirtualKeyInsert : kVirtualKeyDelete;
            runCommand([key](EditorContext& ctx) { AlignedSequencesGridKeyDown(ctx, key); });
            return;
        }
        char key = KeyCharacter(*event);
        if (key == '\0') return;
        bool find = false;
        runCommand([&](EditorContext& ctx) { find = AlignedSequencesGridKeyPress(ctx, key); });
        if (find) findmotif1_->trigger();
    });
    connect(timer1_, &QTimer::timeout, this, &FrmAlignmentCorrection::Timer1Timer);
}

void FrmAlignmentCorrection::createMenus() {
    mainMenu1_ = new QMenuBar(this);
    mainMenu1_->setObjectName("MainMenu1");
    mainMenu1_->setNativeMenuBar(false);
    auto named = [this](QAction* a, const char* name) {
        a->setObjectName(name);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
        return a;
    };
    save1_ = named(mainMenu1_->addAction("&Save"), "Save1");
    save1_->setShortcut(QKeySequence("Ctrl+S"));
    connect(save1_, &QAction::triggered, this, &FrmAlignmentCorrection::ButtonSaveClick);
    undo1_ = named(mainMenu1_->addAction("&Undo"), "Undo1");
    undo1_->setShortcut(QKeySequence("Ctrl+Z"));
    connect(undo1_, &QAction::triggered, this, [this] { runCommand(ButtonUndoClick); });
    edit1_ = mainMenu1_->addMenu("E&dit");
    edit1_->setObjectName("Edit1");
    findmotif1_ = named(edit1_->addAction("&Find motif"), "Findmotif1");
    findmotif1_->setShortcut(QKeySequence("Ctrl+F"));
    connect(findmotif1_, &QAction::triggered, this, &FrmAlignmentCorrection::Findmotif1Click);
    editnucleotides1_ = named(edit1_->addAction("Edit &nucleotides"), "Editnucleotides1");
    editorExchangereferencesequence1_ =
        named(edit1_->addAction("&Edit or Exchange reference sequence"), "EditorExchangereferencesequence1");
    editsequencerangeornumbering1_ =
        named(edit1_->addAction("Edit sequence &range or numbering"), "Editsequencerangeornumbering1");
    edittaxonnames1_ = named(edit1_->addAction("Edit &taxon names"), "Edittaxonnames1");
    addalignmentfile1_ = named(mainMenu1_->addAction("Add alignment file"), "Addalignmentfile1");
    connect(addalignmentfile1_, &QAction::triggered, this, &FrmAlignmentCorrection::Addalignmentfile1Click);
    displayparameters1_ = mainMenu1_->addMenu("Se&ttings");
    displayparameters1_->setObjectName("Displayparameters1");
    change1_ = named(displayparameters1_->addAction("&Display parameters"), "Change1");
    save2_ = named(displayparameters1_->addAction("S&ave settings"), "Save2");
    connect(change1_, &QAction::triggered, this, &FrmAlignmentCorrection::Displayparameters1Click);
    connect(save2_, &QAction::triggered, this, &FrmAlignmentCorrection::Save2Click);
    help1_ = mainMenu1_->addMenu("&Help");
    help1_->setObjectName("Help1");
    outputformats1_ = named(help1_->addAction("&Output formats"), "Outputformats1");
    pooralignmentresult1_ = named(help1_->addAction("&Poor alignment result"), "Pooralignmentresult1");
    other1_ = named(help1_->addAction("O&ther"), "Other1");
    // The instruction boxes and the help texts change nothing.
    const std::pair<QAction*, void (*)(Platform&)> helpEntries[] = {
        {editnucleotides1_, Editnucleotides1Click},
        {editorExchangereferencesequence1_, EditorExchangereferencesequence1Click},
        {editsequencerangeornumbering1_, Editsequencerangeornumbering1Click},
        {edittaxonnames1_, Edittaxonnames1Click},
        {outputformats1_, ShowOutputFormatsHelp},
        {pooralignmentresult1_, ShowPoorAlignmentHelp},
        {other1_, HelpLinkButtonClick},
    };
    for (auto [action, entry] : helpEntries)
        connect(action, &QAction::triggered, this, [this, entry = entry] { entry(run_.platform()); });
    // F1 opens the Help menu.
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(QKeySequence(Qt::Key_F1));
    helpKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(helpKey);
    connect(helpKey, &QAction::triggered, this, [this] {
        help1_->popup(mainMenu1_->mapToGlobal(mainMenu1_->actionGeometry(help1_->menuAction()).bottomLeft()));
    });
    exit1_ = named(mainMenu1_->addAction("&Exit"), "Exit1");
    connect(exit1_, &QAction::triggered, this, &FrmAlignmentCorrection::ButtonCancelClick);

    alignmentGridPopup_ = new QMenu(this);
    alignmentGridPopup_->setObjectName("AlignmentGridPopup");
    referenceGridPopup_ = new QMenu(this);
    referenceGridPopup_->setObjectName("ReferenceGridPopup");
    insertcharacter2_ = referenceGridPopup_->addAction("Insert character");
    insertcharacter2_->setObjectName("Insertcharacter2");
    deletecharacter2_ = referenceGridPopup_->addAction("Delete character");
    deletecharacter2_->setObjectName("Deletecharacter2");
    connect(insertcharacter2_, &QAction::triggered, this, [this] { runCommand(Insertcharacter2Click); });
    connect(deletecharacter2_, &QAction::triggered, this, [this] { runCommand(Deletecharacter2Click); });
}

void FrmAlignmentCorrection::FormCreate() {
    saveSession_.Caption = run_.State().AlignmentTitle;
    showCaption();
    AdjustCellSizes();
    // The popup's entries: the eight commands, then the characters of the
    // data type (the last entry of the amino-acid list is "- = Deletion").
    alignmentGridPopup_->clear();
    popupMenuItems_.clear();
    const std::vector<std::string> captions = AlignmentEditorModel::PopupMenuCaptions(run_.State().DataType);
    for (const std::string& caption : captions) {
        auto* item = new QAction(QString::fromLatin1(caption), alignmentGridPopup_);
        popupMenuItems_.push_back(item);
        alignmentGridPopup_->addAction(item);
        connect(item, &QAction::triggered, this, [this, caption] {
            runCommand([&caption](EditorContext& ctx) { AlignmentGridPopupMenueItemChosen(ctx, caption); });
        });
    }
    model_.Document().MarkChanged();
    EditorView& view = model_.View();
    view.AutosaveEnabled = true;
    timer1_->start();
    view.HighlightedRow = -1;
    view.SearchStartX = 1;
    view.SearchStartY = 1;
    createFindDialog();
    syncFromModel();
}

void FrmAlignmentCorrection::GenerateGrids(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                           const TFastaDataSet& Reference, const TCharacterName& CharNames) {
    model_.GenerateGrids(Alignment, DataSet, Reference, CharNames);
    AdjustCellSizes();
    syncFromModel();
}

void FrmAlignmentCorrection::ReadAlignmentFromGrids() {
    model_.ReadAlignmentFromGrids();
    RefreshGrids();
}

void FrmAlignmentCorrection::SetReferenceName(const TAlignedDataSet& ReferenceName) {
    model_.SetReferenceName(ReferenceName);
    lblReferenceName_->setText(QString::fromLocal8Bit(model_.ReferenceNameCaption()));
    lblReferenceName_->adjustSize();
}

void FrmAlignmentCorrection::SetReferenceName(const TFastaDataSet& ReferenceName) {
    model_.SetReferenceName(ReferenceName);
    lblReferenceName_->setText(QString::fromLocal8Bit(model_.ReferenceNameCaption()));
    lblReferenceName_->adjustSize();
}

void FrmAlignmentCorrection::syncFromModel() {
    undo1_->setEnabled(model_.View().UndoEnabled);
    RefreshGrids();
}

bool FrmAlignmentCorrection::runCommand(const std::function<void(EditorContext&)>& command) {
    EditorContext ctx = model_.Context();
    const bool done = RunEditorCommand(ctx, command);
    model_.SyncGridSizes();
    syncFromModel();
    return done;
}

void FrmAlignmentCorrection::RefreshGrids() {
    alignedSequencesGrid_->Refresh();
    model_.AlignedSequencesGridTopLeftChanged();
    referenceGrid_->Refresh();
}

void FrmAlignmentCorrection::AdjustCellSizes() { placeComponents(); }

void FrmAlignmentCorrection::ApplyZoom() {
    model_.ApplyZoom();
    AdjustCellSizes();
}

void FrmAlignmentCorrection::placeComponents() {
    const int menuHeight = mainMenu1_ ? mainMenu1_->sizeHint().height() : 0;
    if (mainMenu1_) mainMenu1_->setGeometry(0, 0, width(), menuHeight);
    const int top = menuHeight + 4;
    if (displayOptionsBox_) {
        displayOptionsBox_->setGeometry(kMargin, top, 150, kOptionsHeight);
        insertionOptionBox_->setGeometry(kMargin + 158, top, 150, kOptionsHeight);
        deletionOptionBox_->setGeometry(kMargin + 316, top, 150, kOptionsHeight);
        chkMoveRight_->setGeometry(kMargin + 480, top + 22, 360, 20);
    }
    const int labelTop = top + kOptionsHeight + 6;
    const int referenceTop = labelTop + 20;
    const int sequenceLeft = kMargin;
    const int sequenceWidth = std::max(200, width() - 2 * kMargin);
    const EditorPlacement p = model_.AdjustCellSizes(sequenceLeft, sequenceWidth, referenceTop);
    referenceGrid_->setGeometry(p.ReferenceGridLeft, referenceTop, std::max(1, p.ReferenceGridWidth),
                                p.ReferenceGridHeight);
    alignedSequencesGrid_->setGeometry(sequenceLeft, p.SequenceGridTop, sequenceWidth,
                                       std::max(40, height() - p.SequenceGridTop - kMargin));
    referenceLabel_->move(p.ReferenceLabelLeft, labelTop);
    referenceLabel_->adjustSize();
    // 115 pixels right of the caption, or further when this system's font
    // makes the caption wider than that.
    lblReferenceName_->move(std::max(p.ReferenceNameLabelLeft, referenceLabel_->geometry().right() + 6), labelTop);
    lblReferenceName_->adjustSize();
    trackBar1_->setGeometry(sequenceLeft, p.SequenceGridTop - 30, AlignmentEditorModel::kMinimumNameWidth, 26);
    msgBoxSaveInProgress_->move((width() - msgBoxSaveInProgress_->width()) / 2,
                                (height() - msgBoxSaveInProgress_->height()) / 2);
    RefreshGrids();
}

void FrmAlignmentCorrection::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeComponents();  // the grids follow the window's edges
}

void FrmAlignmentCorrection::ShowMismatches() {
    model_.ShowMismatches();
    alignedSequencesGrid_->viewport()->update();
}

void FrmAlignmentCorrection::ShowMismatchesRadioClick() {
    model_.ShowMismatchesRadioClick();
    alignedSequencesGrid_->viewport()->update();
    alignedSequencesGrid_->setFocus();
}

void FrmAlignmentCorrection::ShowMatchesRadioClick() {
    model_.ShowMatchesRadioClick();
    alignedSequencesGrid_->viewport()->update();
    alignedSequencesGrid_->setFocus();
}

void FrmAlignmentCorrection::TrackBar1Change(int position) {
    model_.TrackBar1Change(position);
    AdjustCellSizes();
}

void FrmAlignmentCorrection::AlignedSequencesGridTopLeftChanged() {
    model_.AlignedSequencesGridTopLeftChanged();
    referenceGrid_->Refresh();
}

void FrmAlignmentCorrection::RadioButtonPressed() {
    model_.View().InsertionMoveRight = insertionMoveRightRadio_->isChecked();
    model_.View().DeletionMoveLeft = deletionMoveLeftRadio_->isChecked();
    alignedSequencesGrid_->setFocus();
}

void FrmAlignmentCorrection::showSequencePopup(const QPoint& viewportPoint) {
    // Where no cell lies (beyond the last row or column) the click is ignored.
    int col = 0, row = 0;
    if (!alignedSequencesGrid_->CellAt(viewportPoint, col, row)) return;
    const std::vector<bool> shown = PopupMenuItemsShown(popupMenuItems_.size(), col == 0);
    for (std::size_t i = 0; i < popupMenuItems_.size(); ++i) popupMenuItems_[i]->setVisible(shown[i]);
    runCommand([col, row](EditorContext& ctx) { AlignedSequencesGridMouseDown(ctx, col, row); });
    alignmentGridPopup_->popup(alignedSequencesGrid_->viewport()->mapToGlobal(viewportPoint));
}

void FrmAlignmentCorrection::showReferencePopup(const QPoint& viewportPoint) {
    int col = 0, row = 0;
    if (!referenceGrid_->CellAt(viewportPoint, col, row)) return;
    runCommand([col](EditorContext& ctx) { ReferenceGridMouseDown(ctx, col); });
    referenceGridPopup_->popup(referenceGrid_->viewport()->mapToGlobal(viewportPoint));
}

void FrmAlignmentCorrection::ButtonCancelClick() {
    timer1_->stop();
    model_.View().AutosaveEnabled = false;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

void FrmAlignmentCorrection::Timer1Timer() {
    WindowAutosaveTimer timer(timer1_);
    sequara::Timer1Timer(run_.State(), run_.Files(), run_.platform(), timer);
}

SaveServices FrmAlignmentCorrection::saveServices() { return {run_.Files(), *saveProgress_}; }

void FrmAlignmentCorrection::showCaption() { setWindowTitle(QString::fromLocal8Bit(saveSession_.Caption)); }

void FrmAlignmentCorrection::ButtonSaveClick() {
    runCommand([this](EditorContext& ctx) { sequara::ButtonSaveClick(ctx, saveSession_, saveServices()); });
    showCaption();
}

void FrmAlignmentCorrection::Addalignmentfile1Click() {
    bool merged = false;
    runCommand([&merged](EditorContext& ctx) { merged = sequara::Addalignmentfile1Click(ctx); });
    if (!merged) return;
    ApplyZoom();
    SetReferenceName(model_.State().AlignedReference);
}

void FrmAlignmentCorrection::FocusSequenceGrid() {
    // A disabled widget (inside the main window while the automatic
    // alignment still holds it disabled) cannot take the focus: it goes to
    // the grid when the window is enabled again.
    focusWhenEnabled_ = !alignedSequencesGrid_->isEnabled();
    alignedSequencesGrid_->setFocus();
}

void FrmAlignmentCorrection::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && focusWhenEnabled_ && alignedSequencesGrid_->isEnabled()) {
        focusWhenEnabled_ = false;
        alignedSequencesGrid_->setFocus();
    }
}

void FrmAlignmentCorrection::Discard() {
    closing_ = true;
    timer1_->stop();
    emit Closed();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

void FrmAlignmentCorrection::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!model_.Document().Saved()) {
        // Only a real No (or Yes on an alignment with nothing to save)
        // closes unsaved work: a cancelled dialog, a refused overwrite or a
        // failed save keep the editor open, its timer running.
        bool mayClose = false;
        runCommand([&](EditorContext& ctx) { mayClose = AskSaveTemporaryAlignment(ctx, saveSession_, saveServices()); });
        showCaption();
        if (!mayClose) {
            event->ignore();
            model_.View().AutosaveEnabled = true;
            timer1_->start();
            return;
        }
    }
    closing_ = true;
    timer1_->stop();
    event->accept();
    emit Closed();
}

FrmAlignmentCorrection* CreateAlignmentEditor(QMdiArea* area, RunContext& run) {
    auto* editor = new FrmAlignmentCorrection(run);
    QMdiSubWindow* sub =
        area->addSubWindow(editor, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(editor->windowTitle());
    sub->setObjectName("FrmAlignmentCorrection");
    return editor;
}

FrmAlignmentCorrection* FindAlignmentEditor(QMdiArea* area) {
    if (!area) return nullptr;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (auto* editor = qobject_cast<FrmAlignmentCorrection*>(sub->widget())) return editor;
    return nullptr;
}

void ShowAlignmentEditorMaximized(FrmAlignmentCorrection* editor) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget())) sub->showMaximized();
    else editor->showMaximized();
    editor->FocusSequenceGrid();  // typing goes to the sequences
}

bool CloseAlignmentEditor(QMdiArea* area) {
    FrmAlignmentCorrection* editor = FindAlignmentEditor(area);
    if (!editor) return true;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget())) return sub->close();
    return editor->close();
}

}  // namespace sequara
