// The frame renderer of the main window: paints one complete picture of the
// valve gear for the current solver state onto a canvas. The small per-frame
// behaviours that belong to the picture (cut-off readout, error flash,
// captions) run in a step of their own before the drawing, so the drawing
// only reads. It is Qt-free; everything it does to windows goes through a
// RendererHost, so a test can record it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "main/core/PointerDisplay.h"
#include "main/core/SteamDisplay.h"
#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// Kept between frames; every field starts at zero.
struct RenderState {
    float prevPistonPos = 0;  // piston position of the last frame, 0..640
    float prevFSt = 0;        // front steam opening of the last frame
    float prevRSt = 0;        // rear steam opening of the last frame
    int frontCutoffHold = 0;  // frames the front cut-off figure stays shown
    int rearCutoffHold = 0;   // frames the rear cut-off figure stays shown
    int errorFlashCount = 0;  // frames since the error indication started
    // Whether this frame shows the cut-off figures (decided by prepareFrame).
    bool frontCutoffShown = false;
    bool rearCutoffShown = false;
    // The steam display's phases, densities, beats and the frame's seed.
    SteamState steam;
    // The dimension pointer display.
    PointerState pointer;
};

// The windows whose caption the renderer rewrites every frame.
enum class CaptionWindow {
    Main, Sine, Oval, Steam, Ports, DataTable,
    Count  // the number of windows, not a window
};

// The two dimension dialogs, which step aside for the pointer display.
enum class DimensionWindow { Frame, Cylinder };

// The renderer's only way to affect windows.
class RendererHost {
public:
    virtual ~RendererHost() = default;
    virtual void setCaption(CaptionWindow w, const std::string& caption) = 0;
    // The main window's "UnDo" button: shown or hidden, and its top edge.
    virtual void setUndoButton(bool visible, int top) = 0;
    // The hidden "Error" menu entry that flashes on a solver error.
    virtual void setErrorItemVisible(bool visible) = 0;
    // Dynamic-variable scroll bar k (1..4) of the main window.
    virtual void setDynVarBarEnabled(int k, bool enabled) = 0;
    // Asynchronous playback of a WAV file by name; a missing file is silent.
    virtual void playSound(const std::string& fileName) = 0;
    // Volume of this program's own sound output (never the system's); one
    // 16-bit value per channel, see stereoVolume().
    virtual void setVolume(std::uint32_t volume) = 0;
    // The system's default beep.
    virtual void beep() = 0;

    // The pointer display: closes a dimension dialog if it is open, without
    // the re-centring of its own "Close"; opens it again, modally, once the
    // current frame is finished (never inside it); and, from its first frame
    // to its last, the hourglass cursor over the picture, with the controls
    // that would hide the dimension's name and hourglass out of the way.
    virtual void closeDimensionWindow(DimensionWindow w) = 0;
    virtual void reopenDimensionWindow(DimensionWindow w) = 0;
    virtual void setPointerDisplayShown(bool shown) = 0;
};

// A host that remembers every call, for tests and for headless use.
class RecordingHost : public RendererHost {
public:
    struct Call {
        enum class Kind {
            Caption, UndoButton, ErrorItem, DynVarBar, Sound, Volume, Beep,
            CloseDimensionWindow, ReopenDimensionWindow, PointerDisplayShown
        };
        Kind kind;
        CaptionWindow window = CaptionWindow::Main;
        std::string text;  // caption or sound file name
        bool flag = false;  // visible / enabled
        int value = 0;      // undo button top, or bar number
        DimensionWindow dialog = DimensionWindow::Frame;
    };

    void setCaption(CaptionWindow w, const std::string& caption) override {
        calls.push_back({Call::Kind::Caption, w, caption, false, 0});
        captions[static_cast<int>(w)] = caption;
    }
    void setUndoButton(bool visible, int top) override {
        calls.push_back({Call::Kind::UndoButton, CaptionWindow::Main, {}, visible, top});
        undoVisible = visible;
        undoTop = top;
    }
    void setErrorItemVisible(bool visible) override {
        calls.push_back({Call::Kind::ErrorItem, CaptionWindow::Main, {}, visible, 0});
        errorItemVisible = visible;
    }
    void setDynVarBarEnabled(int k, bool enabled) override {
        calls.push_back({Call::Kind::DynVarBar, CaptionWindow::Main, {}, enabled, k});
        if (k >= 1 && k <= 4) barEnabled[k] = enabled;
    }
    void playSound(const std::string& fileName) override {
        calls.push_back({Call::Kind::Sound, CaptionWindow::Main, fileName, false, 0});
        sounds.push_back(fileName);
    }
    void setVolume(std::uint32_t volume) override {
        calls.push_back({Call::Kind::Volume, CaptionWindow::Main, {}, false, 0});
        volumes.push_back(volume);
    }
    void beep() override {
        calls.push_back({Call::Kind::Beep, CaptionWindow::Main, {}, false, 0});
        ++beeps;
    }
    void closeDimensionWindow(DimensionWindow w) override {
        calls.push_back({Call::Kind::CloseDimensionWindow, CaptionWindow::Main, {}, false, 0, w});
    }
    void reopenDimensionWindow(DimensionWindow w) override {
        calls.push_back({Call::Kind::ReopenDimensionWindow, CaptionWindow::Main, {}, false, 0, w});
    }
    void setPointerDisplayShown(bool shown) override {
        calls.push_back({Call::Kind::PointerDisplayShown, CaptionWindow::Main, {}, shown, 0});
        pointerShown = shown;
    }

    // Calls of one kind, in order.
    std::vector<Call> ofKind(Call::Kind k) const {
        std::vector<Call> out;
        for (const auto& c : calls)
            if (c.kind == k) out.push_back(c);
        return out;
    }
    void reset() {
        calls.clear();
        sounds.clear();
        volumes.clear();
        beeps = 0;
    }

    std::vector<Call> calls;
    std::string captions[static_cast<int>(CaptionWindow::Count)];
    bool undoVisible = false;
    int undoTop = 0;
    bool errorItemVisible = false;
    bool barEnabled[kDynSlots] = {};  // by slot; the bars are slots 1..4
    std::vector<std::string> sounds;
    std::vector<std::uint32_t> volumes;
    int beeps = 0;
    bool pointerShown = false;
};

// A host that does nothing, for benchmarks and pictures drawn without a window.
class NullRendererHost : public RendererHost {
public:
    void setCaption(CaptionWindow, const std::string&) override {}
    void setUndoButton(bool, int) override {}
    void setErrorItemVisible(bool) override {}
    void setDynVarBarEnabled(int, bool) override {}
    void playSound(const std::string&) override {}
    void setVolume(std::uint32_t) override {}
    void beep() override {}
    void closeDimensionWindow(DimensionWindow) override {}
    void reopenDimensionWindow(DimensionWindow) override {}
    void setPointerDisplayShown(bool) override {}
};

// The date and time texts of the captions; the window fills them from the
// system's short date and time formats.
struct FrameClock {
    std::string date;
    std::string time;
};

// The program's name and version as every caption shows them.
inline const std::string kVersionText = "Version 2.6";

// The per-frame behaviours that belong to the picture, run once before each
// frame is drawn: pivot 18 follows the reverse arm, the captions, the UnDo
// button and the dynamic-variable bars follow the model, the error flash
// counts on (and clears solverError at its end), the cut-off readouts catch a
// closing steam port and count their hold down, and, last, a running pointer
// display counts on and may move the view, close a dimension dialog or ask
// for it to be reopened.
void prepareFrame(Model& m, RenderState& st, RendererHost& host, const FrameClock& clock);

// Paints one frame from the model and the frame state, and changes neither:
// drawing the same frame twice gives the same picture. The caller creates the
// white 1280 x 1024 picture and shows it in one operation afterwards, so the
// window never shows half a frame.
void drawMechanism(const Model& m, const RenderState& st, Canvas& c);

// The reference design's gear in light grey and its name, drawn under the
// live gear while a reference is shown (drawMechanism draws it first).
void drawReference(const Model& m, Canvas& c);
// The text naming the reference: "Reference: <name>" with its unit when it
// was scaled to the live design's.
std::string referenceLabel(const Model& m);
// Where that text stands: the picture's top-left corner below the control
// panel (below the pivot data or the draw-lines prompt while shown).
IPoint referenceLabelAt(const Model& m);

// One frame as the main window shows it: prepareFrame, then drawMechanism.
void runFrame(Model& m, RenderState& st, Canvas& c, RendererHost& host, const FrameClock& clock);

// The caption of a window for this frame.
std::string frameCaption(const Model& m, CaptionWindow w, const FrameClock& clock);

}  // namespace tevrane
