// The one-pass reader against the step-by-step reader on real files and on
// generated, malformed input: the result, the entries, the labels, every
// message and question in order (with the same scripted answers), the number
// of message-processing calls and the bytes of "Interim_Sto.txt" must be
// identical.  The "LongRun" test runs many more cases (ctest label "long").

#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/FastaReaderOracle.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

namespace sequara {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::TestDataFile;

// Everything a read leaves behind, as text.
std::string dump(FastaReadResult result, const TFastaDataSet& data, const TCharacterName& labels,
                 const ScriptedPlatform& platform) {
    std::ostringstream out;
    out << "result " << static_cast<int>(result) << "\n";
    for (const auto& e : data) out << ">" << e.Name << "\n" << e.Sequence << "\n";
    out << "labels";
    for (const auto& l : labels) out << " [" << l.view() << "]";
    out << "\n";
    for (const auto& e : platform.Events)
        out << "event " << static_cast<int>(e.kind) << " " << e.caption << " " << e.answer << ": " << e.text << "\n";
    out << "process " << platform.ProcessMessagesCalls << "\n";
    const bool copy = std::filesystem::is_regular_file(kInterimFileName);
    out << "copy " << (copy ? ReadBytes(kInterimFileName) : std::string("(none)")) << "\n";
    return out.str();
}

struct Reading {
    std::string file;
    bool messages = true;
    std::string type = "DNA";
    bool keepLabels = true;
    std::vector<bool> answers;  // for the questions; an unanswered one is No
    bool copyBlocked = false;   // a folder takes the copy's name
};

std::string readWith(bool oneMinusOracle, const Reading& r) {
    ScriptedPlatform platform;
    for (bool a : r.answers) platform.AnswerYesNo(a);
    TFastaDataSet data = {{"before", "ACGT"}};
    TCharacterName labels = {"b1", "b2"};
    FastaReadResult result;
    if (oneMinusOracle) {
        result = r.keepLabels ? ReadFastaFile(r.file, data, labels, r.messages, r.type, platform)
                              : ReadFastaFile(r.file, data, r.messages, r.type, platform);
    } else {
        result = oracle::ReadFastaFileStepByStep(r.file, data, r.keepLabels ? &labels : nullptr, r.messages, r.type,
                                                 platform);
    }
    return dump(result, data, labels, platform);
}

void resetCopy(bool blocked) {
    std::filesystem::remove_all(kInterimFileName);
    if (blocked) std::filesystem::create_directory(kInterimFileName);
}

void expectSame(const Reading& r) {
    resetCopy(r.copyBlocked);
    const std::string slow = readWith(false, r);
    resetCopy(r.copyBlocked);
    const std::string fast = readWith(true, r);
    resetCopy(false);
    ASSERT_EQ(fast, slow) << "file " << r.file << " type " << r.type << " messages " << r.messages;
}

// Malformed FASTA: lines of every kind, in any order, with stray carriage
// returns, NUL and high bytes, lower case, blanks and signs.
std::string generate(std::mt19937& random, std::size_t lines, std::size_t maxLine) {
    static const std::string alphabet = "ACGTacgtNnRYKMSWBDHVUuXxJjOoEFILPQZ-*. 0123456789;,\t";
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t kind = pick(12);
        if (kind == 0) text += ">";
        else if (kind == 1) text += "<";
        else if (kind == 2) text += "#";
        else if (kind == 3) text += "\r";
        if (kind == 1) {
            // Label pieces: ranges, words, empty pieces, separators.
            const std::size_t pieces = pick(6);
            for (std::size_t p = 0; p < pieces; ++p) {
                const int a = int(pick(40)) - 5, b = int(pick(40)) - 5;
                switch (pick(4)) {
                    case 0: text += std::to_string(a) + "-" + std::to_string(b); break;
                    case 1: text += "x" + std::to_string(a); break;
                    case 2: text += " $" + std::to_string(b) + "-0x" + std::to_string(a); break;
                    default: break;
                }
                text += pick(2) ? "," : ";";
            }
        } else if (kind != 4) {  // kind 4: an empty line
            const std::size_t length = pick(maxLine + 1);
            for (std::size_t k = 0; k < length; ++k) {
                const std::size_t roll = pick(100);
                if (roll == 0) text += '\0';
                else if (roll == 1) text += char(0x80 + pick(128));
                else if (roll == 2) text += '\r';
                else text += alphabet[pick(roll < 60 ? 4 : alphabet.size())];
            }
        }
        if (pick(30) != 0 || i + 1 < lines) text += pick(3) ? "\n" : "\r\n";
    }
    return text;
}

// Reads `cases` seeded malformed files with both readers and compares them.
void compareOnMalformedFiles(unsigned seed, int cases, std::size_t lines, std::size_t maxLine) {
    std::mt19937 rng(seed);
    TempFolder folder;
    for (int c = 0; c < cases; ++c) {
        Reading r;
        r.file = folder.write("g.fasta", generate(rng, 1 + rng() % lines, maxLine));
        r.messages = rng() % 3 != 0;
        r.type = rng() % 4 == 0 ? "AMINO" : (rng() % 8 == 0 ? "dna" : "DNA");
        r.keepLabels = rng() % 4 != 0;
        for (unsigned a = rng() % 6; a > 0; --a) r.answers.push_back(rng() % 4 != 0);
        SCOPED_TRACE("case " + std::to_string(c));
        expectSame(r);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(FastaReaderDifferential, RealFilesUnderEveryDataTypeAndAnswer) {
    for (const char* name : {"1000g_CR_first40.fasta", "1000g_CYTB_first20.fasta", "1000g_HVS1_first40.fasta",
                             "autoalign_hvs1.fasta", "autoalign_reversed.fasta", "rCRS_CR_16024-576.txt",
                             "rCRS_CYTB_protein.txt", "rCRS_full.txt", "tishkoff2007_first30.fasta"}) {
        for (const char* type : {"DNA", "AMINO"}) {
            SCOPED_TRACE(std::string(name) + " " + type);
            expectSame({TestDataFile(name), false, type, true, {}});
            expectSame({TestDataFile(name), true, type, true, {true, true, true}});
            expectSame({TestDataFile(name), true, type, false, {true, false}});
        }
    }
}

TEST(FastaReaderDifferential, GeneratedMalformedFiles) { compareOnMalformedFiles(20261207, 400, 40, 90); }

TEST(FastaReaderDifferential, LinesAcrossTheReadBlocks) {
    // Lines of every length around the reader's block of 1 MiB, a CR LF pair
    // split by a block end, and one line of several blocks.
    TempFolder folder;
    const std::size_t block = std::size_t(1) << 20;
    std::string text = ">a\n" + std::string(block - 4, 'c') + "\r\n>b\r";
    text += std::string(block, 'g') + "\n<1-3\n" + std::string(3 * block + 7, 't') + "u\n";
    std::mt19937 random(5);
    text += generate(random, 20000, 200);
    expectSame({folder.write("blocks.fasta", text), true, "DNA", true, {true, true, true, true}});
    expectSame({folder.write("blocks.fasta", text), false, "AMINO", true, {}});
}

TEST(FastaReaderDifferential, FilesThatCannotBeReadOrCopied) {
    TempFolder folder;
    const std::string good = folder.write("good.fasta", ">a\nac\n<1-2\n");
    expectSame({folder.file("missing.fasta"), true, "DNA", true, {}});
    expectSame({folder.path().string(), true, "DNA", true, {}});
    expectSame({folder.write("format.fasta", "AC\n>a\nAC\n"), true, "DNA", true, {}});
    // The copy's name is taken by a folder: the file is read directly.
    expectSame({good, true, "DNA", true, {}, true});
    expectSame({folder.write("format2.fasta", "#\nAC\n"), true, "DNA", true, {}, true});
    // The file is the copy itself.
    std::filesystem::copy_file(good, kInterimFileName);
    ScriptedPlatform p1, p2;
    TFastaDataSet d1, d2;
    TCharacterName l1, l2;
    const auto r1 = oracle::ReadFastaFileStepByStep(kInterimFileName, d1, &l1, true, "DNA", p1);
    const auto r2 = ReadFastaFile(kInterimFileName, d2, l2, true, "DNA", p2);
    EXPECT_EQ(dump(r2, d2, l2, p2), dump(r1, d1, l1, p1));
    EXPECT_EQ(ReadBytes(kInterimFileName), ">a\nac\n<1-2\n");
}

TEST(FastaReaderDifferentialLongRun, ManyGeneratedFiles) {
    compareOnMalformedFiles(1, 5000, 60, 120);
    compareOnMalformedFiles(2, 200, 3000, 2000);
}

}  // namespace
}  // namespace sequara
