#pragma once
// Text shared between copies until one of them changes it.  Copying a
// SharedText costs one reference count, not its characters, so a copy of a
// whole alignment (the editor's undo snapshot, a checkpoint before a command)
// costs one step per row.  Reading gives the text itself; changing it goes
// through Edit(), which first makes the text this copy's own when another
// copy shares it.

#include "sequence/Records.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

class SharedText {
public:
    SharedText() = default;
    SharedText(std::string text) : text_(std::make_shared<std::string>(std::move(text))) {}  // NOLINT
    SharedText(std::string_view text) : SharedText(std::string(text)) {}                   // NOLINT
    SharedText(const char* text) : SharedText(std::string(text)) {}                        // NOLINT

    const std::string& str() const { return text_ ? *text_ : empty_(); }
    operator const std::string&() const { return str(); }  // NOLINT: reads like a string
    std::string_view view() const { return str(); }
    std::size_t size() const { return str().size(); }
    bool empty() const { return str().empty(); }
    char operator[](std::size_t i) const { return str()[i]; }
    std::string::const_iterator begin() const { return str().begin(); }
    std::string::const_iterator end() const { return str().end(); }

    // The text to change in place.  Costs a copy of the characters when
    // another SharedText holds them, nothing otherwise.
    std::string& Edit() {
        if (!text_) text_ = std::make_shared<std::string>();
        else if (text_.use_count() > 1) text_ = std::make_shared<std::string>(*text_);
        return *text_;
    }
    // True when both hold the very same characters (no copy between them).
    bool SharesWith(const SharedText& other) const { return text_ && text_ == other.text_; }

    bool operator==(const SharedText& o) const { return view() == o.view(); }
    bool operator==(std::string_view o) const { return view() == o; }
    bool operator==(const std::string& o) const { return view() == o; }
    bool operator==(const char* o) const { return view() == o; }

    // Test output and logs print the text.
    template <class Stream>
    friend Stream& operator<<(Stream& out, const SharedText& text) {
        out << text.str();
        return out;
    }

private:
    static const std::string& empty_() {
        static const std::string kEmpty;
        return kEmpty;
    }
    std::shared_ptr<std::string> text_;
};

// One aligned row: a name and its characters, one per alignment column.
struct TAlignedSequence {
    std::string Name;
    SharedText Sequence;
    bool operator==(const TAlignedSequence&) const = default;
};

// Aligned rows in grid order.  Copying the set copies the names and shares
// the characters.
using TAlignedDataSet = std::vector<TAlignedSequence>;

// Takes the entries' texts over without copying their characters.
inline TAlignedDataSet ToAlignedDataSet(TFastaDataSet&& set) {
    TAlignedDataSet out(set.size());
    for (std::size_t i = 0; i < set.size(); ++i)
        out[i] = {std::move(set[i].Name), SharedText(std::move(set[i].Sequence))};
    set.clear();
    return out;
}
inline TFastaDataSet ToFastaDataSet(const TAlignedDataSet& set) {
    TFastaDataSet out(set.size());
    for (std::size_t i = 0; i < set.size(); ++i) out[i] = {set[i].Name, set[i].Sequence.str()};
    return out;
}

}  // namespace sequara
