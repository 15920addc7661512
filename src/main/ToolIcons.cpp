#include "main/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace tevrane {

namespace {

QPen pen(const QColor& c, qreal w = 1.2) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void drawIcon(QPainter& p, ToolIcon which) {
    const QColor ink(30, 30, 30), red(200, 0, 0), blue(0, 60, 200), green(0, 130, 0);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
        case ToolIcon::Open:  // an opening folder
            p.setPen(pen(ink));
            p.setBrush(QColor(240, 200, 90));
            p.drawPolygon(QPolygonF({{1, 4}, {6, 4}, {7, 6}, {14, 6}, {14, 14}, {1, 14}}));
            p.setBrush(QColor(250, 225, 130));
            p.drawPolygon(QPolygonF({{3, 8}, {15, 8}, {13, 14}, {1, 14}}));
            break;
        case ToolIcon::Save:  // a floppy disk
            p.setPen(pen(ink));
            p.setBrush(QColor(60, 90, 170));
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 2, 8, 5));
            p.drawRect(QRectF(4, 10, 8, 4.5));
            break;
        case ToolIcon::Frame:  // a lever on two pivots
            p.setPen(pen(blue, 1.6));
            p.drawLine(QPointF(2, 13), QPointF(13, 3));
            p.setPen(pen(red, 1.6));
            p.drawLine(QPointF(13, 3), QPointF(14, 13));
            p.setPen(pen(ink));
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(2, 13), 1.6, 1.6);
            p.drawEllipse(QPointF(13, 3), 1.6, 1.6);
            break;
        case ToolIcon::Cylinder:  // a cylinder with its piston
            p.setPen(pen(QColor(110, 110, 110), 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(2, 5, 12, 8));
            p.setBrush(ink);
            p.drawRect(QRectF(7, 6, 2, 6));
            p.setPen(pen(ink));
            p.drawLine(QPointF(0, 9), QPointF(7, 9));
            p.drawLine(QPointF(4, 2), QPointF(12, 2));
            break;
        case ToolIcon::DriverAngle: {  // a wheel with its crank
            p.setPen(pen(ink));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
            p.setPen(pen(red, 1.8));
            p.drawLine(QPointF(8, 8), QPointF(13, 5));
            break;
        }
        case ToolIcon::StepAngle:  // an angle with an arc
            p.setPen(pen(ink, 1.4));
            p.drawLine(QPointF(2, 14), QPointF(15, 14));
            p.drawLine(QPointF(2, 14), QPointF(13, 3));
            p.setPen(pen(red, 1.4));
            p.drawArc(QRectF(-5, 7, 14, 14), 0, 45 * 16);
            break;
        case ToolIcon::ReverseArm:  // a lever with a two-way arrow
            p.setPen(pen(blue, 1.6));
            p.drawLine(QPointF(8, 15), QPointF(8, 5));
            p.setPen(pen(ink, 1.2));
            p.drawLine(QPointF(1, 3), QPointF(15, 3));
            p.drawLine(QPointF(1, 3), QPointF(4, 1));
            p.drawLine(QPointF(1, 3), QPointF(4, 5));
            p.drawLine(QPointF(15, 3), QPointF(12, 1));
            p.drawLine(QPointF(15, 3), QPointF(12, 5));
            break;
        case ToolIcon::MidGear:  // a centred lever over a fixed pivot
            p.setPen(pen(ink, 1.2));
            p.drawLine(QPointF(8, 1), QPointF(8, 15));
            p.setPen(pen(red, 1.4));
            p.drawLine(QPointF(4, 11), QPointF(12, 15));
            p.drawLine(QPointF(12, 11), QPointF(4, 15));
            p.setPen(pen(blue, 1.6));
            p.drawLine(QPointF(8, 3), QPointF(8, 11));
            break;
        case ToolIcon::Fit:  // a wheel and rod inside four corner marks
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(ink, 1.2));
            p.drawLine(QPointF(1, 5), QPointF(1, 1));
            p.drawLine(QPointF(1, 1), QPointF(5, 1));
            p.drawLine(QPointF(11, 1), QPointF(15, 1));
            p.drawLine(QPointF(15, 1), QPointF(15, 5));
            p.drawLine(QPointF(15, 11), QPointF(15, 15));
            p.drawLine(QPointF(15, 15), QPointF(11, 15));
            p.drawLine(QPointF(5, 15), QPointF(1, 15));
            p.drawLine(QPointF(1, 15), QPointF(1, 11));
            p.setPen(pen(blue, 1.2));
            p.drawEllipse(QPointF(6, 9), 3, 3);
            p.setPen(pen(red, 1.4));
            p.drawLine(QPointF(6, 9), QPointF(12, 7));
            break;
        case ToolIcon::Steam:  // puffs of steam
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 150, 170));
            p.drawEllipse(QPointF(5, 10), 3.5, 3.5);
            p.drawEllipse(QPointF(10, 7), 4, 4);
            p.drawEllipse(QPointF(11, 12), 3, 3);
            p.setBrush(red);
            p.drawEllipse(QPointF(4, 4), 1.5, 1.5);
            break;
        case ToolIcon::RefPoints:  // two plus-shaped marks
            p.setPen(pen(ink, 1.2));
            p.drawLine(QPointF(4, 1), QPointF(4, 9));
            p.drawLine(QPointF(0, 5), QPointF(8, 5));
            p.drawLine(QPointF(12, 7), QPointF(12, 15));
            p.drawLine(QPointF(8, 11), QPointF(16, 11));
            break;
        case ToolIcon::Lines:  // a line and a circle
            p.setPen(pen(green, 1.4));
            p.drawLine(QPointF(1, 14), QPointF(14, 2));
            p.setPen(pen(red, 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(5, 5), 3.5, 3.5);
            break;
        case ToolIcon::PivotData:  // a small table
            p.setPen(pen(ink, 1.0));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            for (qreal y : {5.5, 8.5, 11.5}) p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
            p.drawLine(QPointF(6, 2.5), QPointF(6, 13.5));
            break;
        case ToolIcon::DynamicVariables:  // a scroll bar with a thumb
            p.setPen(pen(ink, 1.0));
            p.setBrush(QColor(220, 220, 220));
            p.drawRect(QRectF(1, 5.5, 14, 5));
            p.setBrush(blue);
            p.drawRect(QRectF(7, 5.5, 3, 5));
            p.drawLine(QPointF(1, 13.5), QPointF(15, 13.5));
            break;
        case ToolIcon::Undo: {  // a curved arrow back
            p.setPen(pen(blue, 1.6));
            QPainterPath path(QPointF(13, 12));
            path.cubicTo(QPointF(14, 4), QPointF(6, 3), QPointF(3, 7));
            p.drawPath(path);
            p.drawLine(QPointF(3, 7), QPointF(3, 2.5));
            p.drawLine(QPointF(3, 7), QPointF(7.5, 7));
            break;
        }
        case ToolIcon::Sine: {  // one wave
            p.setPen(pen(ink, 1.4));
            QPainterPath path(QPointF(1, 8));
            for (int x = 1; x <= 15; ++x) path.lineTo(x, 8 - 5 * std::sin((x - 1) * std::numbers::pi / 7));
            p.drawPath(path);
            break;
        }
        case ToolIcon::Oval:
            p.setPen(pen(ink, 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1.5, 4, 13, 8));
            break;
        case ToolIcon::SteamDiagram:  // an indicator card
            p.setPen(pen(ink, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({{2, 13}, {2, 3}, {6, 3}, {14, 11}, {14, 13}, {2, 13}}));
            break;
        case ToolIcon::Ports:  // rising event lines across rows
            p.setPen(pen(QColor(0, 128, 128), 1.4));
            p.drawLine(QPointF(2, 14), QPointF(6, 2));
            p.setPen(pen(red, 1.4));
            p.drawLine(QPointF(14, 14), QPointF(10, 2));
            p.setPen(pen(ink, 0.8));
            for (qreal y : {4.5, 8.5, 12.5}) p.drawLine(QPointF(1, y), QPointF(15, y));
            break;
        case ToolIcon::ValveEvents:  // a table with a ruled heading
            p.setPen(pen(ink, 1.0));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            p.setPen(pen(blue, 1.6));
            p.drawLine(QPointF(2, 5), QPointF(14, 5));
            p.setPen(pen(ink, 0.8));
            for (qreal y : {8.0, 11.0}) p.drawLine(QPointF(2, y), QPointF(14, y));
            p.drawLine(QPointF(6, 3), QPointF(6, 13));
            break;
        case ToolIcon::Equalise:  // a balance beam, level on its pivot
            p.setPen(pen(ink, 1.4));
            p.drawLine(QPointF(2, 6), QPointF(14, 6));
            p.drawLine(QPointF(8, 6), QPointF(8, 14));
            p.drawLine(QPointF(5, 14), QPointF(11, 14));
            p.setPen(pen(red, 1.2));
            p.drawLine(QPointF(2, 6), QPointF(2, 10));
            p.setPen(pen(blue, 1.2));
            p.drawLine(QPointF(14, 6), QPointF(14, 10));
            break;
        case ToolIcon::Performance:  // two indicator cards on a pressure axis
            p.setPen(pen(ink, 0.8));
            p.drawLine(QPointF(1.5, 1), QPointF(1.5, 14.5));
            p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(blue, 1.2));
            p.drawPolyline(QPolygonF({{3, 3}, {7, 3}, {14, 10}, {14, 12}, {3, 12}, {3, 3}}));
            p.setPen(pen(red, 1.2));
            p.drawPolyline(QPolygonF({{14, 4}, {10, 4}, {3, 9}, {3, 11}, {14, 11}, {14, 4}}));
            break;
        case ToolIcon::Error:  // a red warning sign
            p.setPen(pen(red, 1.2));
            p.setBrush(QColor(255, 220, 0));
            p.drawPolygon(QPolygonF({{8, 1}, {15, 14}, {1, 14}}));
            p.setPen(pen(ink, 1.6));
            p.drawLine(QPointF(8, 5), QPointF(8, 10));
            p.drawPoint(QPointF(8, 12.3));
            break;
    }
}

}  // namespace

QIcon toolIcon(ToolIcon which) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    drawIcon(p, which);
    p.end();
    return QIcon(pm);
}

}  // namespace tevrane
