#pragma once
// File-dialog filters as the name-filter strings of a dialog that matches
// files by the parenthesised list at the end of each string and can hide
// that list: the user then reads the description exactly as given, even
// when the description names its own patterns ("All Files (*.*)").

#include "platform/Platform.h"

#include <string>
#include <vector>

namespace sequara {

// The patterns of a filter one by one: ";" and blanks separate them, empty
// entries are dropped ("*.txt; *.fa;*.fas" gives "*.txt", "*.fa", "*.fas").
// A filter without any pattern matches every file ("*").
std::vector<std::string> FilterPatterns(const std::string& patterns);

// The description, a blank and the patterns in parentheses, separated by
// blanks: {"All Files (*.*)", "*.*"} gives "All Files (*.*) (*.*)".
std::string NameFilterText(const FileFilter& filter);

}  // namespace sequara
