#include "files/DimensionFile.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "model/Dimensions.h"
#include "model/Format.h"

namespace tevrane {

namespace {

// One field of the file: where it lives in the model. A field is a pointer to
// a float of the model, found once per encode or decode.
using Fields = std::vector<float*>;

// The record layout, in file order. Frame and cylinder dimensions are named
// by their dimension number and found through the table of dimensions.
Fields layout(Model& m, float& scratch) {
    auto dim = [&m](int id) { return dimensionField(m, id); };
    Fields f;
    f.reserve(kRecordCount * kFieldsPerRecord);
    // 1 to 4: the frame.
    for (int id : {2, 1, 3, 5, 16, 17, 19, 6, 8, 9, 12, 4, 15, 14, 11, 10, 7, 13, 18, 18})
        f.push_back(dim(id));
    // 5 to 9: the cylinder. The spare field has no number; Y of pivot 4 is
    // derived but kept as it was.
    for (int id : {102, 101, 103, 104}) f.push_back(dim(id));
    f.push_back(&m.cyl.cylSpare);
    for (int id : {105, 106, 107, 108, 109, 110, 111, 113, 115, 116, 117, 118, 120, 122, 112, 114,
                   119, 121, 121})
        f.push_back(dim(id));
    f.push_back(&m.pivotY[kValveStemJoint]);
    // 10 and 11: the view, the travel limits, the reverse arm. The diagram's
    // reverse-arm value was where a diagram kept the setting it restored after
    // its sweep; the sweeps no longer change the setting, so the current one
    // is written there and what a file holds there is read and let go.
    for (float* p : {&m.viewScale, &m.viewOffsetX, &m.graphicZoom, &m.viewOffsetY,
                     dim(20), dim(21), &m.revArmPos, &scratch, &scratch, &m.diagramVScale})
        f.push_back(p);
    // 12 to 16: the 21 view preset values; 16 and 17: the nine positions.
    for (auto& preset : m.viewPresets)
        for (float& v : preset) f.push_back(&v);
    for (int k = 1; k <= 9; ++k) f.push_back(&m.revArmSet[k]);
    // 18 to 69: the overlay, one table of 20 entries after the other.
    for (float* table : {m.lineX1, m.lineY1, m.lineX2, m.lineY2, m.linePivotAX, m.linePivotAY,
                         m.linePivotBX, m.linePivotBY, m.lineType, m.lineColour, m.lineMode,
                         m.linePivotA, m.linePivotB})
        for (int k = 1; k <= kOverlayEntries; ++k) f.push_back(&table[k]);
    // 70: the length unit, three zeros, then the current overlay entry
    // (handled by the callers).
    return f;
}

// The design's length unit lives in record 70's first field. The first four
// fields of that record were always written as zeros and no reader of this
// layout stores them into anything, so a reader that knows nothing of units
// passes over the slot and opens a design in millimetres unchanged (its
// numbers are simply numbers to it), and every file written without a unit
// holds 0 there and opens as inches. The slot holds 0 for inches and exactly
// 25.4 (millimetres per inch) for millimetres; any other value, garbage
// included, reads as inches. The spare cylinder field is not used for this:
// it is raw bytes another program may have filled. Nor are the "again"
// fields: a reader of this layout stores them into real dimensions.
constexpr float kMillimetreMark = static_cast<float>(kMillimetresPerInch);

float unitMark(LengthUnit u) { return u == LengthUnit::Millimetre ? kMillimetreMark : 0.0f; }

LengthUnit unitFromMark(std::uint32_t bits) {
    return bits == std::bit_cast<std::uint32_t>(kMillimetreMark) ? LengthUnit::Millimetre
                                                                  : LengthUnit::Inch;
}

void putLittleEndian(std::uint8_t* out, std::uint32_t bits) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::uint32_t getLittleEndian(const std::uint8_t* in) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | in[i];
    return bits;
}


}  // namespace

std::vector<std::uint8_t> encodeDimensions(const Model& model) {
    // The layout names fields of a model; encoding only reads through it.
    Model& m = const_cast<Model&>(model);
    float scratch = model.revArmPos;
    const Fields fields = layout(m, scratch);
    std::vector<std::uint8_t> out(kDimensionFileSize, 0);
    std::size_t i = 0;
    for (const float* f : fields) putLittleEndian(&out[4 * i++], std::bit_cast<std::uint32_t>(*f));
    // Record 70: the unit, three zeros and the current overlay entry as a
    // single.
    putLittleEndian(&out[4 * i], std::bit_cast<std::uint32_t>(unitMark(model.lengthUnit)));
    i += 4;
    putLittleEndian(&out[4 * i], std::bit_cast<std::uint32_t>(static_cast<float>(model.lineCount)));
    return out;
}

DecodeResult decodeDimensions(Model& m, std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kDimensionFileSize) return {false, "Read beyond end of file"};
    float scratch = 0;
    const Fields fields = layout(m, scratch);
    std::size_t i = 0;
    // Stored in file order, so of a field written twice the second copy wins.
    for (float* f : fields) *f = std::bit_cast<float>(getLittleEndian(&bytes[4 * i++]));
    m.lengthUnit = unitFromMark(getLittleEndian(&bytes[4 * i]));
    i += 4;
    // The diagrams' vertical scale is held within the limits the positions
    // dialog keeps, so a file carrying 1e38 there cannot make a diagram
    // endless.
    m.diagramVScale = boundedDiagramVScale(m.diagramVScale);
    // The entry number is rounded and kept to the table (a damaged file may
    // hold anything there).
    const float entry = std::bit_cast<float>(getLittleEndian(&bytes[4 * i]));
    m.lineCount = std::isnan(entry) ? 1 : toInt(entry, kOverlayEntries);
    if (m.lineCount < 1) m.lineCount = 1;
    return {true, {}};
}

std::string displayFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

void afterDimensionsLoaded(Model& m) {
    m.revArmSet[0] = m.pivotX[kLinkPivot];
    m.pivotX[kReverseArmEnd] = m.revArmPos;
    m.frontCutoffText.clear();
    m.rearCutoffText.clear();
}


}  // namespace tevrane
