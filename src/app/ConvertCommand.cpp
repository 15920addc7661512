#include "app/ConvertCommand.h"

#include <ostream>

#include "app/CommandLine.h"
#include "files/DimensionFile.h"
#include "files/FileAccess.h"
#include "model/UnitConversion.h"

namespace tevrane {

int runConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) {
        err << "tevrane: --convert needs a unit, a design and the file to write\nusage: tevrane "
            << kConvertUsage << "\n";
        return 2;
    }
    const std::string& word = args[0];
    if (word != "mm" && word != "in") {
        err << "tevrane: --convert takes the unit mm or in, not " << word << "\nusage: tevrane "
            << kConvertUsage << "\n";
        return 2;
    }
    const LengthUnit to = word == "mm" ? LengthUnit::Millimetre : LengthUnit::Inch;
    const std::string& path = args[1];
    const std::string& target = args[2];
    Model m;
    if (const std::string failure = loadDesign(path, m); !failure.empty()) {
        err << "tevrane: cannot read " << path << ": " << failure << "\n";
        return 1;
    }
    std::vector<std::uint8_t> bytes;
    const bool already = m.lengthUnit == to;
    if (already) {
        // The design's own bytes, so nothing in it changes, not even what
        // this program would write differently.
        const FileHead file = readFileHead(path, kDesignReadLimit);
        if (!file.failure.empty() || file.bytes.size() < kDimensionFileSize) {
            err << "tevrane: cannot read " << path << ": "
                << (file.failure.empty() ? "Read beyond end of file" : file.failure) << "\n";
            return 1;
        }
        bytes.assign(file.bytes.begin(), file.bytes.begin() + kDimensionFileSize);
    } else {
        convertDesign(m, to);
        bytes = encodeDimensions(m);
    }
    if (const std::string failure = writeFileAtomically(target, bytes); !failure.empty()) {
        err << "tevrane: " << target << ": " << failure << "\n";
        return 1;
    }
    if (already)
        out << path << " is already in " << unitName(to) << ": copied unchanged to " << target << "\n";
    else
        out << "Converted " << path << " from " << unitName(otherUnit(to)) << " to " << unitName(to)
            << ": written to " << target << "\n";
    return 0;
}

}  // namespace tevrane
