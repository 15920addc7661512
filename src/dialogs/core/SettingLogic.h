// What the four small setting dialogs show: the texts when they open and
// which typed keys their single edit box accepts. The ranges and the bar
// positions are the model's rules (model/SettingRules.h), shared with the
// main window's controls.
// Kept free of widgets so every rule is tested on its own.
#pragma once

#include <string>

#include "model/Format.h"
#include "model/Model.h"
#include "model/SettingRules.h"

namespace tevrane::setting {

// ---- reverse arm position ---------------------------------------------------

// The five value labels: three on the top row (x 2, 71, 141) and two on the
// second row (x 2, 141). In the reversed orientation the sides swap, so the
// "Rev" label names centre + Norm and the second row starts with "Max".
struct RevPosLabels {
    std::string top[3];
    std::string bottom[2];
};
RevPosLabels revPosLabels(const Model& m);
// The edit box: the current reverse arm position, 3 decimals in a field of 7.
std::string revPosEditText(const Model& m);

// ---- driver angle -------------------------------------------------------------

// "0.00" while the animation runs (a non-zero running step), otherwise the
// driver angle with 2 decimals in a field of 4.
std::string drivAngEditText(const Model& m);

// ---- step angle -----------------------------------------------------------------

// The running step with 2 decimals in a field of 4: "0.00" while stopped.
std::string stpAngEditText(const Model& m);

// ---- graphic zoom -----------------------------------------------------------------

std::string graphZoomEditText(const Model& m);  // 2 decimals in a field of 4

// ---- key filter of the edit box -------------------------------------------------

// Whether a typed character may go into an edit box that holds `text`:
// backspace and digits always, one "." and, when allowMinus, one "-".
// Everything else, carriage return included, is discarded.
bool acceptKey(const std::string& text, char key, bool allowMinus);

}  // namespace tevrane::setting
