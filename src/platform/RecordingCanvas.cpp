#include "platform/RecordingCanvas.h"

namespace tevrane {

DrawOp RecordingCanvas::stamp(DrawOp::Kind k) const {
    DrawOp op;
    static_cast<PenAndFont&>(op) = style();
    op.kind = k;
    return op;
}

void RecordingCanvas::lineTo(int x, int y) {
    DrawOp op = stamp(DrawOp::Kind::Line);
    op.points = {pos_, {x, y}};
    ops_.push_back(op);
    pos_ = {x, y};
}

void RecordingCanvas::polyline(const std::vector<IPoint>& points) {
    DrawOp op = stamp(DrawOp::Kind::Polyline);
    op.points = points;
    ops_.push_back(op);
}

void RecordingCanvas::ellipse(int x1, int y1, int x2, int y2) {
    DrawOp op = stamp(DrawOp::Kind::Ellipse);
    op.points = {{x1, y1}, {x2, y2}};
    ops_.push_back(op);
}

void RecordingCanvas::arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) {
    DrawOp op = stamp(DrawOp::Kind::Arc);
    op.points = {{x1, y1}, {x2, y2}, {sx, sy}, {ex, ey}};
    ops_.push_back(op);
}

void RecordingCanvas::setPixel(int x, int y, Colour c) {
    DrawOp op = stamp(DrawOp::Kind::Pixel);
    op.points = {{x, y}};
    op.colour = c;
    ops_.push_back(op);
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
    DrawOp op = stamp(DrawOp::Kind::Text);
    op.points = {{x, y}};
    op.text = text;
    ops_.push_back(op);
}

void RecordingCanvas::clear(Colour c) {
    DrawOp op = stamp(DrawOp::Kind::Clear);
    op.colour = c;
    ops_.push_back(op);
}

std::vector<DrawOp> RecordingCanvas::ofKind(DrawOp::Kind k) const {
    std::vector<DrawOp> out;
    for (const auto& op : ops_)
        if (op.kind == k) out.push_back(op);
    return out;
}

const DrawOp* RecordingCanvas::findText(const std::string& t) const {
    for (const auto& op : ops_)
        if (op.kind == DrawOp::Kind::Text && op.text == t) return &op;
    return nullptr;
}

int RecordingCanvas::indexOfText(const std::string& t) const {
    for (size_t i = 0; i < ops_.size(); ++i)
        if (ops_[i].kind == DrawOp::Kind::Text && ops_[i].text == t) return static_cast<int>(i);
    return -1;
}

}  // namespace tevrane
