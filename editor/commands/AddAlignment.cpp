#include "editor/commands/AddAlignment.h"

#include "alignment/AlignmentFileReader.h"
#include "editor/commands/UndoCommands.h"
#include "sequence/CharacterRules.h"
#include "sequence/FileLayer.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <unordered_map>

namespace sequara {

namespace {

bool isTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isTrimmed(s.front())) s.remove_prefix(1);
    while (!s.empty() && isTrimmed(s.back())) s.remove_suffix(1);
    return s;
}

// The form in which two labels are compared.
std::string matchKey(std::string_view label) { return UpperAscii(trimmed(label)); }

}  // namespace

FileDialogOptions OpenDlgAliFile(const WorkingState& state) {
    FileDialogOptions options;
    options.Filters = {{kAddAlignmentFilterDescription, kAddAlignmentFilterPattern}};
    options.InitialFolder = state.ApplicationFolder;
    return options;
}

TLabel TrimLabel(const TLabel& label) { return TLabel(trimmed(label.view())); }

std::optional<MergeLayout> PlanMerge(const TCharacterName& OpenLabels, const TCharacterName& AddedLabels) {
    const auto N = static_cast<std::int32_t>(OpenLabels.size());
    const auto n = static_cast<std::int32_t>(AddedLabels.size());
    // The leftmost column of every non-blank open label.
    std::unordered_map<std::string, std::int32_t> firstColumn;
    firstColumn.reserve(OpenLabels.size());
    for (std::int32_t c = 1; c <= N; ++c) {
        std::string key = matchKey(OpenLabels[static_cast<std::size_t>(c - 1)].view());
        if (!key.empty()) firstColumn.emplace(std::move(key), c);
    }

    // The merged columns as a linked list: node 0 starts the list, nodes 1..N
    // are the open columns, every later node a gap column of the merge.  Map
    // entries name nodes, so an insertion never moves an entry; positions are
    // counted once the list is complete.
    constexpr std::int32_t kNone = -1;
    std::vector<std::int32_t> next(static_cast<std::size_t>(N) + 1);
    for (std::int32_t c = 0; c < N; ++c) next[static_cast<std::size_t>(c)] = c + 1;
    next[static_cast<std::size_t>(N)] = kNone;
    std::vector<std::int32_t> anchor(static_cast<std::size_t>(N) + 1);  // the open column a node follows
    for (std::int32_t c = 0; c <= N; ++c) anchor[static_cast<std::size_t>(c)] = c;
    std::vector<std::int32_t> source(static_cast<std::size_t>(N) + 1, kNone);  // added column of a gap node
    auto insertAfter = [&](std::int32_t node, std::int32_t k) {
        const auto id = static_cast<std::int32_t>(next.size());
        next.push_back(next[static_cast<std::size_t>(node)]);
        anchor.push_back(anchor[static_cast<std::size_t>(node)]);
        source.push_back(k);
        next[static_cast<std::size_t>(node)] = id;
        return id;
    };
    auto blank = [&](std::int32_t node) {
        const std::int32_t k = source[static_cast<std::size_t>(node)];
        const TLabel& label = k == kNone ? OpenLabels[static_cast<std::size_t>(node - 1)]
                                         : AddedLabels[static_cast<std::size_t>(k)];
        return trimmed(label.view()).empty();
    };

    std::vector<std::int32_t> map(static_cast<std::size_t>(n), kNone);
    std::int32_t first = kNone, last = kNone;
    for (std::int32_t k = 0; k < n; ++k) {
        const auto found = firstColumn.find(UpperAscii(AddedLabels[static_cast<std::size_t>(k)].view()));
        if (found == firstColumn.end()) continue;
        map[static_cast<std::size_t>(k)] = found->second;
        if (first == kNone) first = k;
        last = k;
    }
    if (first == kNone) return std::nullopt;

    // Added columns before the first match go in front, those after the last
    // one behind the last column, each group in its order.
    for (std::int32_t k = 0, at = 0; k < first; ++k) at = map[static_cast<std::size_t>(k)] = insertAfter(at, k);
    for (std::int32_t k = last + 1, at = N; k < n; ++k) at = map[static_cast<std::size_t>(k)] = insertAfter(at, k);
    // Every other unmatched column follows the column of the one before it,
    // sharing a blank-labelled column that already stands there when its own
    // label is blank.
    for (std::int32_t k = first + 1; k < last; ++k) {
        if (map[static_cast<std::size_t>(k)] != kNone) continue;
        const std::int32_t p = map[static_cast<std::size_t>(k - 1)];
        const std::int32_t after = next[static_cast<std::size_t>(p)];
        if (trimmed(AddedLabels[static_cast<std::size_t>(k)].view()).empty() && after != kNone && blank(after))
            map[static_cast<std::size_t>(k)] = after;
        else
            map[static_cast<std::size_t>(k)] = insertAfter(p, k);
    }

    MergeLayout layout;
    std::vector<std::int32_t> position(next.size(), 0);
    layout.InsertBefore.reserve(next.size() - static_cast<std::size_t>(N) - 1);
    layout.Source.reserve(layout.InsertBefore.capacity());
    std::int32_t column = 0;
    for (std::int32_t node = next[0]; node != kNone; node = next[static_cast<std::size_t>(node)]) {
        position[static_cast<std::size_t>(node)] = ++column;
        if (node > N) {
            layout.InsertBefore.push_back(anchor[static_cast<std::size_t>(node)] + 1);
            layout.Source.push_back(source[static_cast<std::size_t>(node)]);
        }
    }
    layout.Map.resize(map.size());
    for (std::size_t k = 0; k < map.size(); ++k) layout.Map[k] = position[static_cast<std::size_t>(map[k])];
    return layout;
}

std::optional<std::string> DisallowedCharacterMessage(const AddedAlignment& added, const std::string& DataType) {
    const AllowedCharacterTable& allowed = AllowedCharactersFor(DataType);
    const std::size_t n = added.Labels.size();
    auto firstDisallowed = [&](const std::string& text) -> std::size_t {
        const std::size_t end = std::min(text.size(), n);
        for (std::size_t p = 0; p < end; ++p)
            if (!allowed.keep[static_cast<unsigned char>(text[p])]) return p;
        return std::string::npos;
    };
    auto message = [&](const std::string& what, const std::string& text, std::size_t p) {
        return "Disallowed character state found in " + what + " at position " + std::to_string(p + 1) + " (" +
               allowed.upper[static_cast<unsigned char>(text[p])] + "). The alignment file cannot be added.";
    };
    if (!added.Reference.empty()) {
        const TFastaSequence& r = added.Reference[0];
        if (const std::size_t p = firstDisallowed(r.Sequence); p != std::string::npos)
            return message("the reference sequence (" + r.Name.substr(0, 20) + ")", r.Sequence, p);
    }
    for (std::size_t i = 0; i < added.Sequences.size(); ++i) {
        const TFastaSequence& s = added.Sequences[i];
        if (const std::size_t p = firstDisallowed(s.Sequence); p != std::string::npos)
            return message("sequence " + std::to_string(i) + " (" + s.Name.substr(0, 20) + ")", s.Sequence, p);
    }
    return std::nullopt;
}

bool AddAlignment(EditorContext& ctx, AddedAlignment added) {
    for (TLabel& label : added.Labels) label = TrimLabel(label);
    AlignmentDocument& document = ctx.document;
    const WorkingState& state = document.State();
    const std::optional<MergeLayout> layout = PlanMerge(state.AlignedNumbering, added.Labels);
    if (!layout) {
        ctx.platform.ShowMessage(kAddAlignmentNoCommonLabel);
        return false;
    }
    if (const std::optional<std::string> refusal = DisallowedCharacterMessage(added, state.DataType)) {
        ctx.platform.ShowMessage(*refusal);
        return false;
    }
    SaveUndoState(ctx);

    // The open rows gain their gap columns in one pass each; the created
    // columns then take the added labels and reference characters.
    document.InsertGapColumns(layout->InsertBefore);
    const AllowedCharacterTable& upper = AllowedCharactersFor(state.DataType);
    const std::string addedReference = added.Reference.empty() ? std::string() : added.Reference[0].Sequence;
    for (std::size_t i = 0; i < layout->Source.size(); ++i) {
        // In the merged order the i-th created column has i created columns
        // and the open columns before its spot to its left.
        const auto column = layout->InsertBefore[i] + static_cast<std::int32_t>(i);
        const auto k = static_cast<std::size_t>(layout->Source[i]);
        document.SetLabel(column, added.Labels[k]);
        if (k < addedReference.size())
            document.SetReferenceCharacter(column, upper.upper[static_cast<unsigned char>(addedReference[k])]);
    }

    // Each added row is built once, at its final length.
    const auto length = static_cast<std::size_t>(document.ColumnCount());
    const std::size_t n = added.Labels.size();
    TAlignedDataSet rows(added.Sequences.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TFastaSequence& s = added.Sequences[i];
        std::string text(length, '-');
        const std::size_t used = std::min(n, s.Sequence.size());
        for (std::size_t k = 0; k < used; ++k)
            text[static_cast<std::size_t>(layout->Map[k] - 1)] = upper.upper[static_cast<unsigned char>(s.Sequence[k])];
        rows[i].Name = s.Name;
        rows[i].Sequence = SharedText(std::move(text));
    }
    document.AppendRows(std::move(rows));

    // The grids are rebuilt from the data: every label goes down its five
    // header rows, a blank where it is shorter, and reads back so.
    document.ReadAlignmentFromGrids();
    document.PadLabels();
    ctx.view.SyncGridSizes(document);
    return true;
}

bool Addalignmentfile1Click(EditorContext& ctx) {
    const std::optional<FileDialogResult> chosen = ctx.platform.ChooseOpenFile(OpenDlgAliFile(ctx.document.State()));
    if (!chosen) return false;
    AddedAlignment added;
    if (!ReadAlignmentFile(chosen->FileName, added.Reference, added.Labels, added.Sequences, false, ctx.platform)) {
        // The reader has said why when the file would not open; it is silent
        // about a file of the wrong shape.
        std::string refusal;
        if (std::FILE* file = OpenPlainFileForReading(chosen->FileName, refusal)) {
            std::fclose(file);
            ctx.platform.ShowMessage(kAddAlignmentUnreadable);
        }
        return false;
    }
    return AddAlignment(ctx, std::move(added));
}

}  // namespace sequara
