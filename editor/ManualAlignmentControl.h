#pragma once
// The program's user help: the two long help texts (shown from the editor's
// and the main window's Help menus), the editor's instruction boxes, and the
// help web page.

#include "platform/Platform.h"

namespace sequara {

// The help web page opened by both windows' Help menus.
inline constexpr const char* kHelpPageAddress = "https://sequara.example.org/help";

// The texts themselves, for callers that show them and for tests.
extern const char* const kOutputFormatsHelpText;
extern const char* const kPoorAlignmentHelpText;

// The long texts in a plain message box under the program's name.
void ShowOutputFormatsHelp(Platform& platform);
void ShowPoorAlignmentHelp(Platform& platform);

// Opens a web page or a "mailto:" address with the user's program; when no
// program can be started, a message gives the address (a mail address
// without its "mailto:") so that the user can use it by hand.
void OpenAddressOrShowIt(Platform& platform, const std::string& address);

// Opens the help web page (OpenAddressOrShowIt).
void HelpLinkButtonClick(Platform& platform);

// The editor's Edit-menu entries that only say how such an edit is done:
// each shows one captioned message box and changes nothing.
void Editnucleotides1Click(Platform& platform);
void EditorExchangereferencesequence1Click(Platform& platform);
void Editsequencerangeornumbering1Click(Platform& platform);
void Edittaxonnames1Click(Platform& platform);

}  // namespace sequara
