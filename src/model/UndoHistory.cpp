#include "model/UndoHistory.h"

#include "model/DynVars.h"

namespace tevrane {

namespace {
const UndoRecord kNoRecord;
}  // namespace

void UndoRecord::apply(Model& m) const { writeVar(m, id, after); }

void UndoRecord::revert(Model& m) const { writeVar(m, id, before); }

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
