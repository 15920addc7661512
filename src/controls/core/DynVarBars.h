// The four dynamic-variable bars of a window, without their widgets. The main
// window and every diagram window own one set each; all of them step the same
// model slots and record on the same undo stack.
//
// A gesture runs from the bar getting the focus to the user letting go of it:
// every step between is a jog step of the bar's slot, and the release records
// the whole gesture as one undo entry, from the value before its first step to
// the value now. Only a gesture that moved the bar records: tabbing onto a
// bar, or pressing and releasing it without a step, changes nothing.
#pragma once

#include <array>

#include "controls/core/Jog.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {

// Every dynamic-variable bar: range -200..200, arrow step 1, page step 10;
// one arrow click changes the bound dimension by 1/1000 of a unit.
inline constexpr int kDynVarBarRange = 200;
inline constexpr int kDynVarBarLargeChange = 10;
inline constexpr double kDynVarBarDivisor = 1000.0;

class DynVarBars {
public:
    // Reads the slots from the model, steps and records through the commands.
    DynVarBars(const Model& m, GearCommands& commands) : m_(m), commands_(commands) {}

    // Bar k (1..4) got the focus: a gesture starts.
    void enter(int k);
    // Bar k moved to position p: one jog step of slot k. Returns true when the
    // bar must be set back to 0 (which calls change once more with p = 0).
    bool change(int k, int p);
    // The user let go of bar k. A gesture that moved the bar becomes one undo
    // record and true is returned: the window then moves the focus away from
    // the bar, so that its next use starts a new gesture. Without a step since
    // the gesture started nothing is recorded, the gesture stays open and
    // false is returned.
    bool release(int k);

    // Whether a gesture of bar k has started and not yet been recorded.
    bool started(int k) const { return valid(k) && started_[static_cast<size_t>(k)]; }
    // Whether it has moved the bar.
    bool moved(int k) const { return valid(k) && moved_[static_cast<size_t>(k)]; }
    const JogHistory& history(int k) const { return jog_[static_cast<size_t>(k)]; }
    float startValue(int k) const { return start_[static_cast<size_t>(k)]; }

private:
    static bool valid(int k) { return k >= 1 && k <= 4; }

    const Model& m_;
    GearCommands& commands_;
    std::array<JogHistory, 5> jog_{};
    std::array<float, 5> start_{};
    std::array<bool, 5> started_{};
    std::array<bool, 5> moved_{};
};

// The "UnDo" button of any window: undoes the newest record or, with nothing
// to undo, disables the "UnDo" buttons of every window.
void undoNewestRecord(Model& m);

}  // namespace tevrane
