#pragma once
// A text of at most N characters held inside its owner (a length byte and N
// characters, no allocation).  Longer text is cut to its first N characters.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace sequara {

template <std::size_t N>
class ShortText {
    static_assert(N <= 255);

public:
    static constexpr std::size_t Capacity = N;
    ShortText() = default;
    ShortText(std::string_view text) { assign(text); }  // NOLINT: converts from text
    ShortText(const char* text) : ShortText(std::string_view(text)) {}  // NOLINT
    ShortText(const std::string& text) : ShortText(std::string_view(text)) {}  // NOLINT

    void assign(std::string_view text) {
        length_ = static_cast<std::uint8_t>(std::min(text.size(), N));
        std::memcpy(chars_, text.data(), length_);
    }
    std::string_view view() const { return {chars_, length_}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    bool operator==(const ShortText& o) const { return view() == o.view(); }
    bool operator==(std::string_view o) const { return view() == o; }

private:
    std::uint8_t length_ = 0;
    char chars_[N] = {};
};

}  // namespace sequara
