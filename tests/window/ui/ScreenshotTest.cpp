// Pictures of both logging windows at common screen sizes and form sizes, for looking at the
// layout. Runs only when PALMETAR_SCREENSHOTS names a folder to write them to.

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>

#include "window/ui/LoggingWindowFixture.h"

TEST(LoggingWindowPictures, BothWindowsAtCommonScreenSizes) {
    const char* folder = std::getenv("PALMETAR_SCREENSHOTS");
    if (!folder) GTEST_SKIP() << "set PALMETAR_SCREENSHOTS to a folder to write the pictures";
    struct Size {
        int w, h, percent;
    };
    for (const Size s : {Size{1024, 768, 100}, Size{1920, 1080, 100}, Size{1024, 768, 50}}) {
        for (bool out : {false, true}) {
            LoggingWindowFixture f(out, s.w, s.h);
            f.ts->profile.FormSizePercent = static_cast<uint8_t>(s.percent);
            f.ts->profile.ShowTaskbar = 1;
            auto& w = f.open();
            w.show();
            QApplication::processEvents();
            const QString name = QStringLiteral("%1/%2-%3x%4-%5.png")
                                     .arg(folder)
                                     .arg(out ? "outfrm" : "infrm")
                                     .arg(s.w)
                                     .arg(s.h)
                                     .arg(s.percent);
            EXPECT_TRUE(w.grab().save(name));
        }
    }
}
