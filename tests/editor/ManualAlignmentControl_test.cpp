#include "editor/ManualAlignmentControl.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <tuple>

namespace sequara {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

TEST(HelpTexts, ParagraphsAndLinesAreWhereTheyBelong) {
    const std::string formats = kOutputFormatsHelpText;
    auto paragraphs = Split(formats, "\r\r");
    ASSERT_EQ(paragraphs.size(), 8u);
    const char* starts[] = {"Saving as FASTA", "Saving as Temporary", "Saving as RDF multistate",
                            "Saving as RDF binary", "Saving as mismatch", "Saving as collapsed",
                            "Saving as sequential phylip", "Saving as sequential nexus"};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_TRUE(paragraphs[i].starts_with(starts[i])) << i;
        EXPECT_EQ(paragraphs[i].find('\n'), std::string::npos) << i;
        EXPECT_EQ(paragraphs[i].find('\r'), i == 5 ? paragraphs[i].find("range. \rThe sequences") + 7
                                                   : std::string::npos) << i;
    }
    EXPECT_TRUE(paragraphs[3].find("1999)and also") != std::string::npos);
    EXPECT_TRUE(paragraphs[7].ends_with("(Dessing et al. 2000)."));

    const std::string poor = kPoorAlignmentHelpText;
    auto lines = Split(poor, "\n");
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Common alignment errors: ");
    EXPECT_TRUE(lines[2].ends_with("Try the option \"Load Fasta file (auto align auto reverse)\"."));
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "Tips: ");
    EXPECT_TRUE(lines[8].ends_with("which are less reliable."));
    EXPECT_EQ(poor.find('\r'), std::string::npos);
}

TEST(HelpTexts, EachEntryShowsOneBoxOrOpensTheHelpPage) {
    using Kind = ScriptedPlatform::Kind;
    struct Case {
        void (*entry)(Platform&);
        Kind kind;
        std::string text, caption;
    };
    const std::string exitAndEdit = "Exit this program, open Editor/Notepad, modify ReferenceSequence.txt and save, restart Sequara.";
    const std::vector<Case> cases = {
        {ShowOutputFormatsHelp, Kind::Message, kOutputFormatsHelpText, ""},
        {ShowPoorAlignmentHelp, Kind::Message, kPoorAlignmentHelpText, ""},
        {HelpLinkButtonClick, Kind::Address, kHelpPageAddress, ""},
        {Editnucleotides1Click, Kind::Message, "Use right mouse button for editing main table.", "Edit nucleotides"},
        {EditorExchangereferencesequence1Click, Kind::Message, exitAndEdit, "Edit or Exchange reference sequence"},
        {Editsequencerangeornumbering1Click, Kind::Message, exitAndEdit, "Edit sequence range or numbering"},
        {Edittaxonnames1Click, Kind::Message,
         "Exit this program, open Editor/Notepad, modify Fasta or ali-file and save, restart Sequara.", "Edit taxon names"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption + c.text.substr(0, 30));
        ScriptedPlatform platform;
        c.entry(platform);
        ASSERT_EQ(platform.Events.size(), 1u);
        EXPECT_EQ(platform.Events[0].kind, c.kind);
        EXPECT_EQ(platform.Events[0].text, c.text);
        EXPECT_EQ(platform.Events[0].caption, c.caption);
    }
}

TEST(HelpTexts, AnAddressNoProgramCanOpenIsShownForUseByHand) {
    const std::string page = kHelpPageAddress, mail = "mailto:support@sequara.example.org";
    for (const auto& [address, fails, message] : std::vector<std::tuple<std::string, bool, std::string>>{
             {page, false, ""}, {mail, false, ""},
             {page, true, "No web browser could be started. Please open " + page + " in your browser."},
             {mail, true, "No mail program could be started. Please write to support@sequara.example.org."}}) {
        ScriptedPlatform platform;
        platform.OpenAddressFails = fails;
        OpenAddressOrShowIt(platform, address);
        ASSERT_FALSE(platform.Events.empty());
        EXPECT_EQ(platform.Events[0].text, address);  // the program is always tried first
        EXPECT_EQ(platform.Messages(), std::vector<std::string>(message.empty() ? 0 : 1, message)) << address << fails;
    }
    ScriptedPlatform failing;
    failing.OpenAddressFails = true;
    HelpLinkButtonClick(failing);
    EXPECT_EQ(failing.Messages().size(), 1u);
}

}  // namespace
}  // namespace sequara
