#include "editor/ManualAlignmentControl.h"

namespace sequara {

// Paragraphs are separated by two carriage returns; the sixth holds one
// single carriage return of its own.
const char* const kOutputFormatsHelpText =
    "Saving as FASTA format. FASTA format is widely used but loses some of the user's alignment work "
    "(especially the reference sequences and its nucleotide numbering). Such work is saved automatically in "
    "a Temporary Alignment file (.ali) for reloading and further editing."
    "\r\r"
    "Saving as Temporary Alignment format. This format can be re-loaded into Sequara without automatic "
    "alignment being performed. This is useful for example when the user has edited the alignment table "
    "manually and wishes to save this work and continue editing at a later date."
    "\r\r"
    "Saving as RDF multistate format. This format is used for the MJ Algorithm (Varholm et al. 1999) in "
    "PLEXOR. Note that Sequara automatically truncates individual nucleotides which are outside the common "
    "sequence range."
    "\r\r"
    "Saving as RDF binary format. This format is used for the MJ Algorithm (Varholm et al. 1999)and also for "
    "the RM Algorithm (Varholm et al. 1995) in PLEXOR. Note that Sequara automatically truncates individual "
    "nucleotides which are outside the common sequence range. The old binary format uses N in multistate "
    "positions, the new binary format does not."
    "\r\r"
    "Saving as mismatch format. This format is used for publications. Note that Sequara automatically "
    "truncates individual nucleotides which are outside the common sequence range."
    "\r\r"
    "Saving as collapsed identities format. This format is used for publications. Note that Sequara "
    "automatically truncates individual nucleotides which are outside the common sequence range. "
    "\r"
    "The sequences are collapsed into distinct types and only variable positions are displayed."
    "\r\r"
    "Saving as sequential phylip format. This format can be used within PAUP and TCS."
    "\r\r"
    "Saving as sequential nexus format. This format can be used within TCS (Dessing et al. 2000).";

// Lines separated by line feeds, one empty line between the two blocks.
const char* const kPoorAlignmentHelpText =
    "Common alignment errors: "
    "\n"
    "1. The wrong reference sequence may have been chosen. (The default reference sequence is the human mtDNA "
    "control region - you can go to the main menu and select the appropriate reference sequence."
    "\n"
    "2. Some of the sequences may be in reverse complement. Try the option \"Load Fasta file (auto align auto "
    "reverse)\"."
    "\n"
    "3. The first and the last 20 nucleotides of each sequence might be shifted if insertions/deletions are "
    "present. These small shifts can easily be adjusted using the mouse."
    "\n"
    "4. If blocks of gaps are inserted into the reference sequence, check the original FASTA sequences for Ns "
    "or gaps and remove these gaps (or use the default Sequara option to ignore them), and if the problem "
    "persists try using a longer reference sequence (to avoid mapping artefacts due to repeat regions)."
    "\n"
    "\n"
    "Tips: "
    "\n"
    "1. Inserted Gaps may be suppressed by using a higher parameters setting (e.g. 6 instead of the default 5)."
    "\n"
    "2. To help your quality control, ambiguous fasta codes (e.g. N, R, Y, K, N) are counted as distinct "
    "codes. After auto-alignment you can distinguish between sequencing errors (individual ambiguities) and "
    "unsequencible stretches (occuring in all sequences)). With some experience, you can even decide which "
    "authors or sequencing labs are reliable and which are less reliable.";

namespace {
constexpr const char* kEditReferenceInstruction =
    "Exit this program, open Editor/Notepad, modify ReferenceSequence.txt and save, restart Sequara.";
}  // namespace

void ShowOutputFormatsHelp(Platform& platform) { platform.ShowMessage(kOutputFormatsHelpText); }

void ShowPoorAlignmentHelp(Platform& platform) { platform.ShowMessage(kPoorAlignmentHelpText); }

void OpenAddressOrShowIt(Platform& platform, const std::string& address) {
    if (platform.OpenAddress(address)) return;
    const std::string mailto = "mailto:";
    if (address.starts_with(mailto))
        platform.ShowMessage("No mail program could be started. Please write to " + address.substr(mailto.size()) +
                             ".");
    else
        platform.ShowMessage("No web browser could be started. Please open " + address + " in your browser.");
}

void HelpLinkButtonClick(Platform& platform) { OpenAddressOrShowIt(platform, kHelpPageAddress); }

void Editnucleotides1Click(Platform& platform) {
    platform.ShowMessageBox("Use right mouse button for editing main table.", "Edit nucleotides");
}

void EditorExchangereferencesequence1Click(Platform& platform) {
    platform.ShowMessageBox(kEditReferenceInstruction, "Edit or Exchange reference sequence");
}

void Editsequencerangeornumbering1Click(Platform& platform) {
    platform.ShowMessageBox(kEditReferenceInstruction, "Edit sequence range or numbering");
}

void Edittaxonnames1Click(Platform& platform) {
    platform.ShowMessageBox("Exit this program, open Editor/Notepad, modify Fasta or ali-file and save, restart Sequara.",
                            "Edit taxon names");
}

}  // namespace sequara
