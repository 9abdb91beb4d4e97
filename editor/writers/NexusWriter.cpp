#include "editor/writers/NexusWriter.h"

#include "editor/writers/SequentialMatrix.h"
#include "sequence/CharacterRules.h"

namespace sequara {

std::string NexusName(std::string_view name) {
    constexpr std::string_view reserved = "()[]{}/\\,;:=*'\"`+-<>";
    bool quote = name.empty();
    for (const char c : name)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f' || reserved.find(c) != std::string_view::npos)
            quote = true;
    if (!quote) return std::string(name);
    std::string quoted = "'";
    for (const char c : name) {
        quoted.push_back(c);
        if (c == '\'') quoted.push_back('\'');
    }
    quoted.push_back('\'');
    return quoted;
}

void WriteNexusFile(const WriterInput& input, ByteSink& out, WriterServices& services) {
    const AlignmentInput& alignment = input.Alignment();
    if (alignment.RowCount() == 0) return;
    const SequentialMatrix matrix(input);
    out.Line("#NEXUS");
    out.EndLine();
    out.Line("Begin data;");
    out.Line("\tDimensions ntax=" + std::to_string(alignment.RowCount()) +
             " nchar=" + std::to_string(matrix.ColumnCount()) + ";");
    out.Line(IsAminoDataType(alignment.DataType()) ? "\tFormat datatype=protein gap=- missing=X ;"
                                             : "\tFormat datatype=nucleotide gap=- missing=N ;");
    out.Line("\tMatrix");
    out.EndLine();
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        // The name is cut to the field first; quoted, it may be wider than
        // the field and is then written whole.
        const std::string word = NexusName(alignment.RowName(i).substr(0, 12));
        out.Append(word.size() < 12 ? NameField(word, 12) : word + " ");
        matrix.WriteRow(i, out);
        out.EndLine();
    }
    out.Line("\t;");
    out.Append("end;");
    // Blanks are quoted here, so only equal names are a problem.
    if (std::string notice = WrittenNamesNotice(alignment, 12, "NEXUS", false); !notice.empty())
        services.Notices.push_back(std::move(notice));
}

}  // namespace sequara
