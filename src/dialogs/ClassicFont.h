// The small dialogs were laid out, pixel by pixel, for "MS Sans Serif" at 8
// points. Where that font is missing, a font of about the same width stands
// in, so that the texts still fit the fixed layout.
#pragma once

#include <QFont>
#include <QStringList>

namespace tevrane::classic {

inline QFont dialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                      QStringLiteral("Nimbus Sans")});
    return font;
}

}  // namespace tevrane::classic
