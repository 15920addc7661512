// The window every diagram (port events, steam, oval, sine) is built on: a
// persistent white picture the diagram draws on, the "Close" button, the four
// dynamic-variable bars with their gesture, the "UnDo" button, and the
// handling of the animation timer while the window is up, the "Export..."
// and "Print..." items, and a red notice under the picture when the sweep
// could not close the gear somewhere. A diagram supplies its drawing through drawDiagram()
// and its own menu items.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <string>

#include "controls/DynVarScrollBar.h"
#include "controls/core/DynVarBars.h"
#include "diagrams/core/DiagramPanel.h"
#include "model/GearCommands.h"
#include "model/Model.h"
#include "platform/Canvas.h"

class QAction;
class QLabel;
class QMenuBar;
class QPushButton;

namespace tevrane {

// The client area below the menu: paints the window's persistent picture.
class DiagramSurface : public QWidget {
    Q_OBJECT
public:
    DiagramSurface(QImage& image, QWidget* parent);
    // Takes the size of the picture after it was replaced.
    void fitImage();

signals:
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QImage& image_;
};

// Names and places that differ between the diagram windows.
struct DiagramLayout {
    int clientWidth = 632;
    int clientHeight = 414;
    QString closeName;      // e.g. "ClosePort"
    QRect closeRect;        // the "Close" button
    QString barPrefix;      // e.g. "SBDynVarP": the bars are <prefix>1..4
    QString undoName;       // e.g. "UnDoDnP"
    QString pictureName;    // e.g. "ports": ends the suggested export file name
    // Rows the plot goes down, or grows by, under the large font (the surface
    // grows by as many): diagramShift, portsDiagramShift for the port
    // diagram, the cards' growth for the Indicated Performance window.
    int (*plotShift)(const Model&) = diagramShift;
};

class DiagramWindow : public QDialog {
    Q_OBJECT
public:
    DiagramWindow(const Model& m, GearCommands& c, const DiagramLayout& layout, QWidget* parent = nullptr);

    // The picture the diagram draws on (client-area pixels).
    const QImage& surface() const { return surface_; }
    QPushButton* closeButton() const { return close_; }
    DynVarScrollBar* dynBar(int k) const;
    QPushButton* undoButton() const { return undo_; }
    // The red notice under the picture when the last sweep met a clamp
    // (hidden otherwise): the picture itself stays as the diagram draws it.
    QLabel* clampNotice() const { return clampNotice_; }
    QMenuBar* menuBar() const { return menu_; }

    // Redraws the diagram on the surface: after clearing it, or over the
    // picture as it is; then mirrors the controls the drawing decided.
    void redraw(bool clearFirst);

    // The diagram as the window's last pass drew it, drawn afresh from the
    // live model on any canvas of the surface's size: what "Export..." and
    // "Print..." put out. Drawing only reads, so nothing moves.
    void drawPicture(Canvas& c);
    // What "Export..." and "Print..." put out: that picture with the title
    // block in a band below it, on a canvas of titledPictureSize().
    QSize titledPictureSize() const;
    void drawTitledPicture(Canvas& c);
    QAction* exportAction() const { return export_; }
    QAction* printAction() const { return print_; }

public slots:
    // The shared handlers; the names follow the port diagram's controls.
    void dynVarEnter(int k);
    void dynVarChange(int k, int position);
    void dynVarScrollEnd(int k);
    void undoDnClick();
    // "&UnDo": on turning the line off the window is cleared and drawn, on
    // turning it on the picture is drawn again over itself.
    void undoMenuClick();
    // "DynamicVari": the bars here and in the main window, then a redraw.
    void dynamicVariClick();
    void exportClick();
    void printClick();

protected:
    // The diagram's drawing for its current mode; it ends with the shared
    // dynamic-variable panel and the undo lines of the step before the pass,
    // and returns the control states the panel decided. It only reads.
    virtual DiagramControls drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                        const UndoLines& undo) = 0;
    // "Export..." and "Print..." after the diagram's own menu items.
    void addPictureItems();
    // The window is shown: the animation stops, the diagram is drawn.
    virtual void formActivate();
    // The window closes: the animation runs again.
    virtual void formClose();
    // The pointer moved over the picture.
    virtual void formMouseMove() {}

    void showEvent(QShowEvent* e) override;
    void done(int result) override;

    const Model& model() const { return m_; }
    GearCommands& commands() { return c_; }
    // Mirrors the "UnDo" button's enabled state from the model and the other
    // controls from the last drawing.
    void applyControls(const DiagramControls& controls);

private:
    // The large font spreads the panel and the position list to the right:
    // the picture widens by the font's x factor and the "Close" button moves
    // and grows with it, so no text runs off the picture or under the button.
    void fitToFont();

    const Model& m_;
    GearCommands& c_;
    DiagramLayout layout_;
    QImage surface_;
    DiagramSurface* view_ = nullptr;
    QMenuBar* menu_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* undo_ = nullptr;
    QLabel* clampNotice_ = nullptr;
    QAction* export_ = nullptr;
    QAction* print_ = nullptr;
    std::array<DynVarScrollBar*, 5> bars_{};
    DynVarBars dyn_;
    bool resettingBar_ = false;
    UndoLines undoLines_;  // what the step before the last drawing pass composed
};

}  // namespace tevrane
