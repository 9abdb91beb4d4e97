#pragma once
// What the editor keeps between its windows for the whole run: the single
// undo snapshot and the copy buffer.  The run object owns one.

#include "sequence/SharedText.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace sequara {

// The copied rows.  A copy of the buffer shares the rows, so keeping the
// buffer aside before every command (the command boundary does) costs one
// reference count however much was copied.  The rows are only ever replaced
// as a whole.
class CopiedRows {
public:
    CopiedRows() = default;
    CopiedRows(std::vector<std::string> rows)  // NOLINT: assigned like the vector it holds
        : rows_(std::make_shared<const std::vector<std::string>>(std::move(rows))) {}
    CopiedRows(std::initializer_list<std::string> rows) : CopiedRows(std::vector<std::string>(rows)) {}

    const std::vector<std::string>& rows() const { return rows_ ? *rows_ : empty_(); }
    operator const std::vector<std::string>&() const { return rows(); }  // NOLINT: reads like the vector
    std::size_t size() const { return rows().size(); }
    bool empty() const { return rows().empty(); }
    const std::string& operator[](std::size_t i) const { return rows()[i]; }
    std::vector<std::string>::const_iterator begin() const { return rows().begin(); }
    std::vector<std::string>::const_iterator end() const { return rows().end(); }
    void clear() { rows_.reset(); }

    bool operator==(const CopiedRows& o) const { return rows() == o.rows(); }
    bool operator==(const std::vector<std::string>& o) const { return rows() == o; }

private:
    static const std::vector<std::string>& empty_() {
        static const std::vector<std::string> kEmpty;
        return kEmpty;
    }
    std::shared_ptr<const std::vector<std::string>> rows_;
};

struct EditorSession {
    // Six texts, one per reference-grid row, one character per column (a
    // blank for an empty header cell); empty until the first snapshot.
    std::vector<std::string> UndoReferenceRows;
    // One element per sequence-grid row: its name and aligned characters,
    // sharing them with the document until either side changes a row.
    TAlignedDataSet UndoSequences;
    // One text per copied row, all of the same length.
    CopiedRows CopyBuffer;
};

}  // namespace sequara
