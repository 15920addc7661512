// The dimension data file (".dtv"): a whole working set as 70 records of five
// little-endian IEEE single-precision values, 1400 bytes, no header. Frame
// and cylinder dimensions, the view and its presets, the reverse-arm settings
// and diagram positions, the diagrams' vertical scale and the whole
// lines-and-circles overlay. Qt-free: the window does the dialogs and the
// file system, this does the bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/Model.h"

namespace tevrane {

inline constexpr std::size_t kRecordCount = 70;
inline constexpr std::size_t kFieldsPerRecord = 5;
inline constexpr std::size_t kDimensionFileSize = kRecordCount * kFieldsPerRecord * 4;
// How much of a file is read as a design: the 1400 bytes and one more, which
// tells a longer file (its rest is ignored) without reading it whole.
inline constexpr std::size_t kDesignReadLimit = kDimensionFileSize + 1;

// The 1400 bytes of the model's working set, records 1 to 70 in order.
std::vector<std::uint8_t> encodeDimensions(const Model& m);

struct DecodeResult {
    bool ok = false;
    std::string message;  // why not, in the words of the file system's errors
};

// Stores every field of the file into the model. The whole file is checked
// first: a file shorter than 1400 bytes changes nothing and fails with "Read
// beyond end of file"; bytes after record 70 are ignored. The first field of
// record 70 carries the length unit (exactly 25.4 for millimetres, anything
// else inches). Any bit pattern of
// a field is accepted as it stands, except the diagrams' vertical scale, held
// within its limits (boundedDiagramVScale), and the overlay entry number.
DecodeResult decodeDimensions(Model& m, std::span<const std::uint8_t> bytes);

// The name a chosen path is shown by in the captions: its last component
// without the extension (whatever the extension's length; a name without one
// stays whole). Both '/' and '\\' separate components.
std::string displayFileName(const std::string& path);

// What follows a successful load in the model: the mid-gear centre follows the
// loaded link pivot (it is not stored), pivot 18 stands at the loaded setting.
// The window then sets the reverse-arm bar's range and position.
void afterDimensionsLoaded(Model& m);

}  // namespace tevrane
