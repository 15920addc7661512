// The main window: the animated picture of the valve gear with the control
// panel, menu and tool bar around it. It is a thin layer: each handler passes
// the event to the MainController (the window's behaviour without widgets)
// and then mirrors the panel state into the widgets.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QRegion>
#include <QSize>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>

#include "main/ScalePrint.h"
#include "platform/InkTiles.h"
#include "main/WindowRegistry.h"
#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "main/core/TickPacer.h"
#include "platform/Sound.h"

class QAction;
class QFrame;
class QPushButton;
class QScrollBar;
class QToolBar;
class QToolButton;

namespace tevrane {

class Clock;

// The central surface: shows the last finished picture in one operation.
// Frames are drawn on two pictures in turn, so the one on show is never
// touched while the next is drawn and never has to be copied. Each picture is
// cleared only where it was last drawn on, and the window repaints only the
// part that differs from the picture shown before.
// A region of a picture's device pixels as the window's own pixels, at
// `ratio` device pixels to a window pixel: every device pixel of it lies in
// the result.
QRegion toWindowPixels(const QRegion& device, qreal ratio);

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    // The picture the next frame is drawn on: all white, not the one on show.
    QImage& beginFrame();
    // Shows the picture beginFrame gave out; `drawn` holds every pixel the
    // frame drew on and `inked`, when given, the tiles it drew in (finer:
    // only those are compared now and cleared before the picture's next use).
    void endFrame(const QRect& drawn, const InkTiles* inked = nullptr);
    // The picture on show.
    const QImage& picture() const { return pictures_[front_]; }
    // True on a screen with more than one device pixel to a picture pixel:
    // the pictures are then at the device's resolution, and a frame's shapes
    // land on the same picture pixels, drawn finer.
    bool highDensity() const { return ratio_ != 1.0; }
    // Device pixels to a picture pixel when that is a whole number (1 on an
    // ordinary screen, 2 at 200 %); 0 between whole numbers (150 %).
    int wholeDeviceScale() const;
    // The part of the window the last endFrame repainted: where the picture
    // now shown differs from the one before it.
    const QRegion& lastChange() const { return lastChange_; }

signals:
    void mousePressed(Qt::MouseButton button, int x, int y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    // The pictures are as large as the view: a larger window shows more of
    // the plane, everything keeps its pixel place from the top-left.
    void resizeEvent(QResizeEvent* e) override;

private:
    // Pictures as large as `logical` picture pixels at the widget's device
    // pixel ratio.
    void allocate(QSize logical);

    QImage pictures_[2];
    QRect drawn_[2];  // where each picture is not white
    InkTiles ink_[2];  // the tiles of each picture that hold ink
    int front_ = 0;
    qreal ratio_ = 1.0;
    QRegion lastChange_;
};

class TMainForm : public QMainWindow, private RendererHost {
    Q_OBJECT
public:
    TMainForm(Model& m, Panel& p, MainController& c, WindowRegistry& windows, SoundPlayer& sound,
              Clock& clock, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Called once the other windows exist: enables what they open.
    void windowsCreated();

    // Runs one animation tick now (the timer calls it 64 times a second).
    void Timer1Timer();
    // Mirrors the panel state into the widgets.
    void syncFromPanel();

    // Access for tests and for the dialogs that move main window controls.
    QScrollBar* bar(Bar b) const { return bars_.at(b); }
    QPushButton* button(const std::string& name) const { return buttons_.at(name); }
    QAction* action(Item i) const { return actions_.at(i); }
    QToolBar* toolBar() const { return toolBar_; }
    PictureView* view() const { return view_; }
    bool animationTimerActive() const { return timer_.isActive(); }

    // The dimension file. The two return "" or the message of what failed;
    // a failed open changes nothing, a failed save leaves any old file.
    QString openDimensionsFile(const QString& path);
    QString saveDimensionsFile(const QString& path);
    void OpenDimensionsClick();
    void SaveAsDimensionsClick();
    // "Compare with...": a second design as the reference drawn in light
    // grey under the live gear. Returns "" or why the file could not be
    // read; a failure changes nothing.
    QString compareWithFile(const QString& path);
    void CompareWithClick();
    // "&Export..." and "&Print...": the picture of the frame last drawn,
    // saved as PNG, SVG or PDF, or printed after a preview.
    void ExportPictureClick();
    void PrintPictureClick();
    // "Design report...": the save dialog, then the design as it is now
    // written as a PDF report (main/DesignReportPdf).
    void DesignReportClick();
    // The draw-lines window's part of opening a file: emptying its value
    // labels before, refreshing its row highlights after a load, its line
    // data after the dialog in every case. Empty until that window exists.
    std::function<void()> onLinesValuesCleared, onLinesRowsChanged, onLinesDataRefresh;

    // Button handlers, named after their controls.
    void RunClick() { c_.runClick(); }
    void RevClick() { c_.revClick(); }
    void CenterClick() { c_.centerClick(); }
    void FwdClick() { c_.fwdClick(); }
    void Deg180Click() { c_.deg180Click(); }
    void Deg00Click() { c_.deg00Click(); }
    void Step1Click() { c_.step1Click(); }
    void Step10Click() { c_.step10Click(); }
    void Step45Click() { c_.step45Click(); }
    void PresetClick(int n) { c_.presetClick(n); }
    void Preset0Click() { c_.preset0Click(); }
    void NormVHZClick() { c_.normClick(); }
    void UnDoDnClick() { c_.undoDnClick(); }
    // Opens the pivot data table, as the menu opens the other windows.
    void DataTableButClick();
    void RefPt1Click() { c_.refPt1Click(); }
    void RefPt2Click() { c_.refPt2Click(); }
    void RefPt1ZeroClick() { c_.refPt1ZeroClick(); }
    void RefPt2ZeroClick() { c_.refPt2ZeroClick(); }
    // "&DrawLinesCircles": beeps when both reference points are at the
    // origin, then opens the draw-lines window (nothing opens while that
    // window is not part of the program).
    void DrawLines1Click();
    // "Fit": the whole gear over a full turn fills the picture.
    void FitClick();
    // A mouse press on the picture, in the picture's pixels.
    void FormMouseDown(Qt::MouseButton button, int x, int y);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // RendererHost: what the picture does to the windows.
    void setCaption(CaptionWindow w, const std::string& caption) override;
    void setUndoButton(bool visible, int top) override;
    void setErrorItemVisible(bool visible) override;
    void setDynVarBarEnabled(int k, bool enabled) override;
    void playSound(const std::string& fileName) override;
    void setVolume(std::uint32_t volume) override;
    void beep() override;

    void closeDimensionWindow(DimensionWindow w) override;
    void reopenDimensionWindow(DimensionWindow w) override;
    void setPointerDisplayShown(bool shown) override;

    void buildControls();
    void buildMenu();
    void buildToolBar();
    QScrollBar* makeBar(Bar b, const char* hint);
    QPushButton* makeButton(const std::string& name, const char* caption, const char* hint,
                            void (TMainForm::*handler)());
    QAction* makeItem(Item i, std::optional<ToolButton> tool);
    void placeControls();
    void updateCursor();
    // Whether a control stands over the pointer display's name or hourglass.
    bool coversPointerMarks(const QWidget* w) const;
    void openWindow(const WindowRow& row);
    const WindowRow* rowNamed(std::string_view name) const;
    void showFileError(const QString& message);
    void scheduleNextTick();
    void onTimer();

    Model& m_;
    Panel& p_;
    MainController& c_;
    WindowRegistry& windows_;
    SoundPlayer& sound_;
    Clock& clock_;
    RenderState renderState_;

    PictureView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::map<Bar, QScrollBar*> bars_;
    std::map<std::string, QPushButton*> buttons_;
    std::map<Item, QAction*> actions_;
    std::map<std::string, QAction*> tools_;  // tool buttons by hint
    std::map<Item, ToolButton> toolButtons_;  // the tool button of each item that has one
    QFrame* dynFrame_ = nullptr;
    QFrame* refFrame_ = nullptr;
    bool syncing_ = false;
    bool pictureChangedPanel_ = false;  // set by the picture, consumed by the tick
    bool crossCursor_ = false;  // the picture shows the cross cursor
    bool pointerShown_ = false;  // a pointer display runs
    bool waitShown_ = false;     // the picture shows the hourglass cursor
    float laidOutScaleX_ = 0, laidOutScaleY_ = 0;
    // The last choice of "&Print...": fitted to the page or to scale.
    bool printToScale_ = false;
    ScaleRequest scaleRequest_;
    // The size the window had before the large font made it larger, and the
    // size it was made; empty while the window has not been grown.
    struct GrownWindow {
        QSize from, to;
    };
    std::optional<GrownWindow> grownFrom_;

    QTimer timer_;
    QElapsedTimer elapsed_;
    TickPacer pacer_;
};

}  // namespace tevrane
