#include <gtest/gtest.h>
#include <QApplication>
#include <QPixmap>
#include "dialogs/Line.h"
#include "model/Model.h"
using namespace tevrane;
TEST(ZzShot, Take) {
    for (int big = 0; big < 2; ++big) {
        Model m; initModel(m);
        if (big) { m.fontScaleX = 1.27f; m.fontScaleY = 1.22f; }
        NullSound s;
        TDrawLines d(m, s);
        float cols[6] = {0,255,32768,65535,16711680,8421504};
        for (int k = 1; k <= 8; ++k) {
            m.lineType[k] = k % 2; m.lineColour[k] = cols[k % 6]; m.lineMode[k] = (k % 2) ? (k%4 < 2 ? 0 : 1) : k % 4;
            m.lineX1[k] = -12.345f * k; m.lineY1[k] = 3.25f; m.lineX2[k] = 100.5f; m.lineY2[k] = -0.001f;
        }
        m.lineCount = 3;
        d.LinesDataClick();
        m.drawLinesTypeChoice = 1; m.drawLinesColourChoice = 3; m.drawLinesRefChoice = 1;
        d.show();
        QApplication::processEvents();
        d.grab().save(QString("/tmp/dl/shot%1.png").arg(big));
        d.hide();
    }
}
