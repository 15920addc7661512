#include "dialogs/core/DimensionRows.h"

#include <cctype>
#include <cfloat>
#include <cmath>

#include "model/Dimensions.h"
#include "model/DynVars.h"
#include "model/Format.h"

namespace tevrane {

int labelX(Column c) { return c == Column::Left ? 10 : 204; }
int boxX(Column c) { return c == Column::Left ? 146 : 342; }
int smallButtonX(Column c) { return c == Column::Left ? 0 : 194; }

const DimensionRow* DimensionLayout::rowOfEdit(int n) const {
    for (const DimensionRow& r : rows)
        if (r.edit == n) return &r;
    return nullptr;
}

namespace {

// Adds a row whose label has one line, drawn at its column's label position.
// The label is the dimension's own, from the table of dimensions.
void addRow(DimensionLayout& l, int edit, Column col, int row, int id,
            RowRole role = RowRole::Dynamic) {
    const std::string label(findDimension(id)->label);
    DimensionRow r;
    r.edit = edit;
    r.column = col;
    r.row = row;
    r.id = id;
    r.role = role;
    r.label = label;
    r.labelRow = row;
    r.name = role == RowRole::Dynamic ? dimensionName(id) : std::string();
    l.rows.push_back(r);
    l.texts.push_back({labelX(col), row * kRowPitch, true, label});
}

// Adds a row whose label takes two lines: the first on the row above the box,
// the second on the box's row at its own column. Its small button spans both.
void addTwoLineRow(DimensionLayout& l, int edit, Column col, int row, int id, int secondX,
                   const std::string& second) {
    addRow(l, edit, col, row, id);
    DimensionRow& r = l.rows.back();
    r.labelRow = row - 1;
    r.buttonRows = 2;
    l.texts.back().y = r.labelRow * kRowPitch;
    l.texts.push_back({secondX, row * kRowPitch, true, second});
}

DimensionLayout makeFrameLayout() {
    DimensionLayout l;
    l.caption = "Frame Dimensions";
    l.width = 386;
    l.height = 192;
    const Column L = Column::Left, R = Column::Right;
    addRow(l, 1, L, 0, 1);
    addRow(l, 2, L, 1, 2);
    addRow(l, 3, L, 2, 3);
    addRow(l, 4, L, 3, 4);
    addRow(l, 5, L, 4, 5);
    addRow(l, 6, L, 5, 6);
    addRow(l, 7, L, 6, 7);
    addRow(l, 8, L, 7, 8);
    addRow(l, 9, L, 8, 9);
    addRow(l, 10, L, 9, 10);
    addRow(l, 11, L, 10, 11);
    addRow(l, 12, R, 0, 12);
    addRow(l, 13, R, 1, 13);
    addRow(l, 14, R, 2, 14);
    addRow(l, 15, R, 3, 15);
    addRow(l, 16, R, 4, 16);
    addRow(l, 17, R, 5, 17);
    addRow(l, 18, R, 6, 18);
    addRow(l, 19, R, 7, 19);
    addRow(l, 20, R, 8, 20, RowRole::NormalTravel);
    // Ditto marks under "Reverse Arm to Cent", set in to line up with it.
    addRow(l, 21, R, 9, 21, RowRole::MaxTravel);
    l.texts.back().x = 234;
    l.texts.push_back({1, 148, false, "To Show Graphic Position of Variable, Click Small Button"});
    l.texts.push_back({1, 161, false, "To Select Dynamic Variable, Click Dimension in Gray Area"});
    l.unitCaptionY = 176;
    l.reset = {"ResetFrameDim", 288, 136, 89, 25};
    l.close = {"Close", 288, 160, 89, 25};
    return l;
}

DimensionLayout makeCylinderLayout() {
    DimensionLayout l;
    l.caption = "Cylinder Dimensions";
    l.width = 386;
    l.height = 230;
    const Column L = Column::Left, R = Column::Right;
    addRow(l, 1, L, 0, 101);
    addRow(l, 2, L, 1, 102);
    addRow(l, 3, L, 2, 103);
    addRow(l, 4, L, 3, 104);
    addRow(l, 5, L, 4, 105);
    addTwoLineRow(l, 6, L, 6, 106, 82, "(Piston Rod)");
    addRow(l, 7, L, 7, 107);
    addRow(l, 8, L, 8, 108);
    addRow(l, 9, L, 9, 109);
    addRow(l, 10, L, 10, 110);
    addRow(l, 11, L, 11, 111);
    addRow(l, 12, L, 12, 112);
    addRow(l, 13, R, 0, 113);
    addRow(l, 14, R, 1, 114);
    addRow(l, 15, R, 2, 115);
    addRow(l, 16, R, 3, 116);
    addRow(l, 17, R, 4, 117);
    addRow(l, 18, R, 5, 118);
    addRow(l, 19, R, 6, 119);
    addRow(l, 20, R, 7, 120);
    addRow(l, 21, R, 8, 121);
    addTwoLineRow(l, 22, R, 10, 122, 266, "  (Valve Stem)");
    l.texts.push_back({1, 190, false, "To Show Graphic Position of Variable, Click Small Button"});
    l.texts.push_back({1, 203, false, "To Select a Dynamic Variable, Click Dimension in Gray Area"});
    l.unitCaptionY = 216;
    l.reset = {"ResetCylDim", 294, 168, 90, 25};
    l.close = {"Close", 294, 192, 90, 25};
    return l;
}

}  // namespace

std::string dimensionUnitCaption(LengthUnit u) {
    return std::string("All lengths in ") + unitName(u) + " (" + unitSymbol(u) + ")";
}

const DimensionLayout& frameLayout() {
    static const DimensionLayout layout = makeFrameLayout();
    return layout;
}

const DimensionLayout& cylinderLayout() {
    static const DimensionLayout layout = makeCylinderLayout();
    return layout;
}

int scaledPosition(int base, float factor) {
    return toInt(static_cast<long double>(base) * static_cast<long double>(factor));
}

void drawDimensionLabels(Canvas& c, const DimensionLayout& layout, float fontScaleX,
                         float fontScaleY) {
    c.clear(kWindowColour);
    c.setFontColour(colours::black);
    c.setFontSize(kDefaultFontSize);
    c.setFontBold(false);
    // The letters grow with the large font as the dialog does.
    c.setTextScale(fontScaleX, fontScaleY);
    for (const SurfaceText& t : layout.texts) {
        const int x = t.scaleX ? scaledPosition(t.x, fontScaleX) : t.x;
        c.textOut(x, scaledPosition(t.y, fontScaleY), t.text);
    }
}

KeyVerdict filterKey(const std::string& text, char key) {
    KeyVerdict v;
    const bool numeric = std::isdigit(static_cast<unsigned char>(key)) != 0 || key == '-' ||
                         key == '.' || key == kBackspace || key == kCarriageReturn;
    if (!numeric) return v;
    // Every key of the numeric set counts as typing, even a sign or point that
    // the next check drops.
    v.marksEdited = true;
    if (key == kCarriageReturn)
        v.moveFocus = true;
    else
        v.insert = acceptNumericKey(text, key, true);
    return v;
}

bool acceptKey(const std::string& text, char key) { return filterKey(text, key).insert; }

float rowValue(const Model& m, const DimensionRow& row) {
    const float* f = dimensionField(m, row.id);
    return f ? *f : 0.0f;
}

std::string rowText(const Model& m, const DimensionRow& row) {
    const float v = rowValue(m, row);
    int decimals = 3;
    if (m.lengthUnit == LengthUnit::Millimetre) {
        // Rounded as printed: 99.9996 mm is "100.00", not "100.000".
        if (std::fabs(std::round(static_cast<double>(v) * 1000.0) / 1000.0) >= 100.0) decimals = 2;
        if (std::fabs(std::round(static_cast<double>(v) * 100.0) / 100.0) >= 1000.0) decimals = 1;
    }
    return fixed10(v, 5, decimals);
}

float boxValue(const std::string& text) { return parseFloat(text); }

float leftValue(const Model& m, const DimensionRow& row, const std::string& text,
                bool textEdited) {
    return textEdited ? boxValue(text) : rowValue(m, row);
}

}  // namespace tevrane
