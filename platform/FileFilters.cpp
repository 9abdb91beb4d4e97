#include "platform/FileFilters.h"

namespace sequara {

std::vector<std::string> FilterPatterns(const std::string& patterns) {
    std::vector<std::string> result;
    std::string current;
    for (char c : patterns) {
        if (c == ';' || c == ' ' || c == '\t') {
            if (!current.empty()) result.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) result.push_back(current);
    if (result.empty()) result.push_back("*");
    return result;
}

std::string NameFilterText(const FileFilter& filter) {
    std::string text = filter.Description + " (";
    const std::vector<std::string> patterns = FilterPatterns(filter.Patterns);
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if (i > 0) text += ' ';
        text += patterns[i];
    }
    return text + ")";
}

}  // namespace sequara
