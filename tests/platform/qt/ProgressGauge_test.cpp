// The percentage of the progress gauge drawn over both halves of the bar.
#include "platform/qt/ProgressGauge.h"

#include <gtest/gtest.h>

#include <QImage>

namespace sequara {
namespace {

TEST(ProgressGauge, ThePercentageContrastsWithTheFilledAndTheEmptyPart) {
    ProgressGauge gauge(QColor("navy"));
    gauge.resize(217, 33);
    gauge.setRange(0, 100);
    for (int value : {0, 50, 100}) {
        gauge.setValue(value);
        const QImage image = gauge.grab().toImage();
        // Lightest pixel over the filled part and darkest over the empty
        // part, inside the frame and the text's band of rows.
        const int filledEnd = 1 + (215 * value + 50) / 100;
        int lightestOnFill = 0, darkestOnEmpty = 255;
        for (int y = 8; y < 25; ++y)
            for (int x = 2; x < 215; ++x) {
                const int lightness = QColor(image.pixel(x, y)).lightness();
                if (x < filledEnd - 1) lightestOnFill = std::max(lightestOnFill, lightness);
                else if (x > filledEnd) darkestOnEmpty = std::min(darkestOnEmpty, lightness);
            }
        EXPECT_TRUE((value == 0 || lightestOnFill > 200) && (value == 100 || darkestOnEmpty < 60))
            << value << "%: lightest on the fill " << lightestOnFill << ", darkest off it " << darkestOnEmpty;
    }
}

}  // namespace
}  // namespace sequara
