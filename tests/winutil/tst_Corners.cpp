#include "../support/WindowTest.h"

#include "app/frmChose.h"
#include "winutil/Region.h"

#include <QGuiApplication>
#ifndef _WIN32
#include <xcb/shape.h>
#endif

// The rounded corners at 125 % as the windowing system holds them: cut in device pixels, 50 across and
// the same on both sides. Needs X11 or Windows, so it skips under the offscreen platform and runs from
// scripts/x11-tests.sh and scripts/windows-program.sh.
class tst_Corners : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") &&
            QGuiApplication::platformName() != QLatin1String("windows"))
            QSKIP("needs X11 or Windows");
    }

    void cornersAreCutInDevicePixels()
    {
        Start();
        auto *chose = Shown<frmChose>();
        QVERIFY(chose && QTest::qWaitForWindowExposed(chose));
        QCOMPARE(chose->devicePixelRatioF(), 1.25);

        // 6630 x 3225 twips at 12 twips a device pixel, corners of 50 device pixels.
        const RoundRect asked{0, 0, 552, 269, 50, 50};
#ifdef _WIN32
        // The system cuts the corners by its own rule: the window must hold the region it makes.
        const QRegion shape = Shape(chose);
        const QRegion expected = SystemRoundRect(asked.right, asked.bottom, asked.ellipseWidth);
#else
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t *connection = x11->connection();
        auto *reply = xcb_shape_get_rectangles_reply(
            connection, xcb_shape_get_rectangles(connection, chose->winId(), XCB_SHAPE_SK_BOUNDING), nullptr);
        QVERIFY(reply);
        QRegion shape;
        const xcb_rectangle_t *rectangles = xcb_shape_get_rectangles_rectangles(reply);
        for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply); ++i)
            shape += QRect(rectangles[i].x, rectangles[i].y, rectangles[i].width, rectangles[i].height);
        free(reply);
        QRegion expected;
        for (const PixelRect &band : RoundRectArea(asked))
            expected += QRect(band.x, band.y, band.width, band.height);
#endif
        QCOMPARE(shape, expected);
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "1.25");
    QApplication app(argc, argv);
    tst_Corners test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_Corners.moc"
