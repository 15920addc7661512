// The undo history: each change of a dimension is one record, kept newest
// first in a history of bounded depth. A record knows how to put its change
// into the model and how to take it out again.
#pragma once

#include <boost/circular_buffer.hpp>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/Units.h"

namespace tevrane {

struct Model;

// The deepest history: a change beyond it drops the oldest record.
inline constexpr int kUndoMax = 20;

// What a record undoes: one dimension's change, or a conversion of the whole
// design to the other length unit.
enum class UndoKind : std::int32_t { Dimension, UnitConversion };

// The id a conversion's record carries: no dimension's, and not 0, which
// marks "no record".
inline constexpr std::int32_t kUnitConversionUndoId = -1;

// One change of one dimension, or one unit conversion.
struct UndoRecord {
    UndoRecord() = default;
    // A dimension's change.
    UndoRecord(std::int32_t id_, float before_, float after_, std::string name_)
        : id(id_), before(before_), after(after_), name(std::move(name_)) {}

    std::int32_t id = 0;  // the dimension (1..19, 101..122); 0 for no record
    float before = 0.0f;  // the value an undo restores (units of the design)
    float after = 0.0f;   // the value the change wrote
    std::string name;     // the dimension's short name, as the undo line shows it

    // A conversion: the units either side and every value it rescaled as it
    // was before (in the order of takeUnitSnapshot), so undo puts each back
    // bit for bit rather than converting again.
    UndoKind kind = UndoKind::Dimension;
    LengthUnit unitBefore = LengthUnit::Inch;
    LengthUnit unitAfter = LengthUnit::Inch;
    std::vector<float> valuesBefore;

    // Writes `after` (apply) or `before` (revert) into the dimension, by the
    // rules of writeVar (pivot 4 follows ids 102 and 109); an id outside the
    // dynamic variables writes nothing. A conversion's apply converts the
    // design to unitAfter, its revert restores every value it changed.
    void apply(Model& m) const;
    void revert(Model& m) const;

    bool operator==(const UndoRecord&) const = default;
};

class UndoHistory {
public:
    UndoHistory() : records_(kUndoMax) {}

    // A new newest record; at full depth the oldest one goes.
    void push(UndoRecord r) { records_.push_front(std::move(r)); }
    // Takes the newest record off; an empty history gives an empty record.
    UndoRecord pop();
    void clear() { records_.clear(); }

    // How many records there are (0..kUndoMax).
    int depth() const { return static_cast<int>(records_.size()); }
    bool empty() const { return records_.empty(); }
    // Record n, 1 the newest .. depth() the oldest; an empty record outside.
    const UndoRecord& record(int n) const;
    const UndoRecord& newest() const { return record(1); }

private:
    boost::circular_buffer<UndoRecord> records_;
};

}  // namespace tevrane
