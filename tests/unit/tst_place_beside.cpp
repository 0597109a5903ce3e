// Where a window with no stored place opens: on the main window's screen, wholly, beside the
// main window where there is room, shrunk no further than its minimum.
#include "platform/screen_fit.h"

#include <QtTest>

class TstPlaceBeside : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placed_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QList<QRect>>("taken");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<bool>("clearOfMain");   // false: no room anywhere, only on screen
        const QList<QRect> desk{QRect(0, 0, 1920, 1080)}, small{QRect(0, 0, 800, 600)};
        const QRect centred(692, 180, 539, 724);
        QTest::newRow("desk, alone") << desk << centred << QList<QRect>{} << QSize(644, 404) << QSize(70, 111) << true;
        QTest::newRow("desk, right side taken")
            << desk << centred << QList<QRect>{QRect(1231, 0, 689, 1080)} << QSize(644, 404) << QSize(70, 111) << true;
        QTest::newRow("desk, shrunk to the room")
            << desk << centred << QList<QRect>{} << QSize(964, 644) << QSize(482, 322) << true;
        QTest::newRow("second screen")
            << QList<QRect>{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)} << QRect(2000, 100, 600, 700)
            << QList<QRect>{} << QSize(460, 503) << QSize(460, 503) << true;
        QTest::newRow("small, too wide for the room")
            << small << QRect(132, 100, 535, 400) << QList<QRect>{} << QSize(707, 624) << QSize(707, 537) << false;
        QTest::newRow("small, main at the left") << small << QRect(0, 0, 535, 400) << QList<QRect>{} << QSize(256, 233)
                                                 << QSize(70, 111) << true;
    }
    void placed()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, main);
        QFETCH(QList<QRect>, taken);
        QFETCH(QSize, size);
        QFETCH(QSize, minimum);
        QFETCH(bool, clearOfMain);
        const QRect r = zx::placeBeside(QRect(QPoint(), size), minimum, main, taken, screens);
        const QRect screen = zx::screenFor(main, screens);
        QVERIFY2(screen.contains(r), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
        QVERIFY(r.width() >= std::min(minimum.width(), screen.width()) && r.height() >= std::min(minimum.height(), screen.height()));
        QVERIFY(r.width() <= size.width() && r.height() <= size.height());
        if (clearOfMain) {
            QVERIFY(!r.intersects(main));
            for (const QRect &t : taken)
                QVERIFY(!r.intersects(t));
        }
    }
};

QTEST_MAIN(TstPlaceBeside)
#include "tst_place_beside.moc"
