#include "tests/support/EditorDump.h"

namespace sequara::testing {

namespace {
std::string shownLabel(std::string_view label) {
    std::string out(label);
    for (char& c : out)
        if (c == ' ') c = '_';
    return out;
}
}  // namespace

std::string DumpEditor(const AlignmentDocument& document, const EditorView& view) {
    std::string out = "labels ";
    const TCharacterName& labels = document.Labels();
    for (std::size_t i = 0; i < labels.size(); ++i) out += (i ? "|" : "") + shownLabel(labels[i].view());
    out += "\nref " + document.ReferenceName() + ": " + document.ReferenceRow() + "\n";
    for (std::int32_t r = 0; r < document.RowCount(); ++r)
        out += std::to_string(r) + " " + document.Name(r) + ": " + document.Row(r) + "\n";
    const GridRect& s = view.Selection();
    auto pair = [](int a, int b) { return std::to_string(a) + "," + std::to_string(b); };
    out += "view cell " + pair(view.SequenceGrid.Col(), view.SequenceGrid.Row()) + " sel " + pair(s.Left, s.Top) +
           "-" + pair(s.Right, s.Bottom) + " highlight " + std::to_string(view.HighlightedRow) + " mismatches " +
           (view.ShowMismatches ? "on" : "off") + " undo " + (view.UndoEnabled ? "on" : "off") + " saved " +
           (document.Saved() ? "yes" : "no") + "\n";
    return out;
}

std::string DumpSession(const EditorSession& session) {
    std::string out = "snapshot";
    const auto& rows = session.UndoReferenceRows;
    if (!rows.empty()) {
        out += " " + std::to_string(rows.size() - 1) + " header rows x " + std::to_string(rows[0].size());
        for (std::size_t r = 0; r + 1 < rows.size(); ++r) out += " " + shownLabel(rows[r]);
        out += " | ref " + rows.back();
    }
    for (const TAlignedSequence& s : session.UndoSequences) out += " | " + s.Name + ": " + s.Sequence.str();
    out += "\ncopy";
    for (std::size_t i = 0; i < session.CopyBuffer.size(); ++i) out += (i ? "|" : " ") + session.CopyBuffer[i];
    return out + "\n";
}

EditorFixture::EditorFixture() {
    WorkingState& s = run.State();
    s.DataType = "DNA";
    s.ReferenceData = {{"rCRS", "ACGT"}};
}

void EditorFixture::Load(const std::string& labels, const std::string& reference,
                         std::initializer_list<std::pair<std::string, std::string>> rows) {
    TCharacterName names;
    std::string label;
    for (char c : labels + "|") {
        if (c == '|') {
            names.emplace_back(label);
            label.clear();
        } else {
            label += c == '_' ? ' ' : c;
        }
    }
    if (labels.empty()) names.clear();
    TAlignedDataSet ref(1);
    ref[0].Sequence = reference;
    TAlignedDataSet set;
    for (const auto& [name, text] : rows) set.push_back({name, SharedText(text)});
    document.Assign(std::move(ref), std::move(names), std::move(set));
    view.SyncGridSizes(document);
}

void EditorFixture::Select(int left, int top, int right, int bottom) {
    view.SequenceGrid.MoveTo(left, top);
    view.SequenceGrid.MoveTo(right, bottom, true);
}

std::string DumpGrids(const AlignmentEditorModel& model, char emptyHeader) {
    std::string out;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < model.ColumnCount(); ++c) {
            const char h = model.HeaderCell(c, r);
            out += h ? h : emptyHeader;
        }
        out += '\n';
    }
    for (int c = 0; c < model.ColumnCount(); ++c) out += model.ReferenceCell(c);
    out += '\n';
    for (int i = 0; i < model.SequenceCount(); ++i) {
        out += model.NameCell(i) + "|";
        for (int p = 1; p <= model.ColumnCount(); ++p) out += model.SequenceCell(p, i);
        out += '\n';
    }
    return out;
}

}  // namespace sequara::testing
