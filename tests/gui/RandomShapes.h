// Shared by the picture tests: reproducible scenes of one-pixel shapes.
#pragma once

#include <QImage>
#include <QRect>

#include <random>
#include <vector>

#include "platform/Canvas.h"

namespace tevrane::testing {

constexpr QRgb kWhitePixel = 0xFFFFFFFFu;

// Bounding box of the pixels that are not white.
inline QRect inkBox(const QImage& im) {
    QRect box;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            if (im.pixel(x, y) != kWhitePixel) box = box.united(QRect(x, y, 1, 1));
    return box;
}

// A reproducible scene of one-pixel shapes in strong colours, many of them
// running over the image's edges or far past them.
inline void drawShapes(Canvas& c, unsigned seed, int width, int height, int count) {
    std::mt19937 rng(seed);
    auto coord = [&](int size) {
        std::uniform_int_distribution<int> near(-size / 2, size + size / 2);
        std::uniform_int_distribution<int> far(-100000, 100000);
        return rng() % 10 == 0 ? far(rng) : near(rng);
    };
    const Colour palette[] = {colours::black, colours::red, colours::blue, colours::green,
                              colours::magenta, colours::grey, colours::cyan, rgb(10, 20, 30)};
    for (int k = 0; k < count; ++k) {
        c.setPenColour(palette[rng() % 8]);
        switch (rng() % 5) {
            case 0:
                c.line(coord(width), coord(height), coord(width), coord(height));
                break;
            case 1: {
                std::vector<IPoint> points(2 + rng() % 5);
                for (IPoint& p : points) p = {coord(width), coord(height)};
                c.polyline(points);
                break;
            }
            case 2:
                c.ellipse(coord(width), coord(height), coord(width), coord(height));
                break;
            case 3:
                c.arc(coord(width), coord(height), coord(width), coord(height), coord(width),
                      coord(height), coord(width), coord(height));
                break;
            default:
                c.setPixel(coord(width), coord(height), palette[rng() % 8]);
                break;
        }
    }
}

}  // namespace tevrane::testing
