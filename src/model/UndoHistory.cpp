#include "model/UndoHistory.h"

#include "model/DynVars.h"
#include "model/UnitConversion.h"

namespace tevrane {

namespace {
const UndoRecord kNoRecord;
}  // namespace

void UndoRecord::apply(Model& m) const {
    if (kind == UndoKind::UnitConversion) {
        convertDesign(m, unitAfter);
        return;
    }
    writeVar(m, id, after);
}

void UndoRecord::revert(Model& m) const {
    if (kind == UndoKind::UnitConversion) {
        restoreUnitSnapshot(m, UnitSnapshot{unitBefore, valuesBefore});
        return;
    }
    writeVar(m, id, before);
}

UndoRecord UndoHistory::pop() {
    if (records_.empty()) return {};
    UndoRecord r = std::move(records_.front());
    records_.pop_front();
    return r;
}

const UndoRecord& UndoHistory::record(int n) const {
    if (n < 1 || n > depth()) return kNoRecord;
    return records_[static_cast<size_t>(n - 1)];
}

}  // namespace tevrane
