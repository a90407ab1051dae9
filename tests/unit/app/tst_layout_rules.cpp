#include "layout_rules.h"

#include <QTest>

using namespace bidwarden;
using OptInt = std::optional<int>;
Q_DECLARE_METATYPE(OptInt)

class TestLayoutRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizesFollowTheWindow_data();
    void sizesFollowTheWindow();
    void twipsConversion_data();
    void twipsConversion();
    void firstWindowFitsTheScreen_data();
    void firstWindowFitsTheScreen();
};

void TestLayoutRules::sizesFollowTheWindow_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<OptInt>("paneWidth");
    QTest::addColumn<OptInt>("paneHeight");
    QTest::addColumn<OptInt>("urlboxWidth");

    QTest::newRow("initial") << QSize(11835, 10800) << OptInt(11735) << OptInt(8510) << OptInt(8835);
    QTest::newRow("exact zero") << QSize(100, 2290) << OptInt(0) << OptInt(0) << OptInt();
    QTest::newRow("narrower than the address box") << QSize(2999, 5000)
                                                   << OptInt(2899) << OptInt(2710) << OptInt();
    QTest::newRow("address box at zero") << QSize(3000, 2289) << OptInt(2900) << OptInt() << OptInt(0);
    QTest::newRow("too small for anything") << QSize(99, 10) << OptInt() << OptInt() << OptInt();
    QTest::newRow("minimised") << QSize(0, 0) << OptInt() << OptInt() << OptInt();
}

void TestLayoutRules::sizesFollowTheWindow()
{
    QFETCH(QSize, outer);
    QFETCH(OptInt, paneWidth);
    QFETCH(OptInt, paneHeight);
    QFETCH(OptInt, urlboxWidth);

    const ResizedControls sizes = layoutForWindow(outer);
    QCOMPARE(sizes.webWidth, paneWidth);
    QCOMPARE(sizes.webHeight, paneHeight);
    QCOMPARE(sizes.serviceWebWidth, paneWidth);
    QCOMPARE(sizes.serviceWebHeight, paneHeight);
    QCOMPARE(sizes.tabStripWidth, paneWidth);
    QCOMPARE(sizes.tabStripHeight, paneHeight);
    QCOMPARE(sizes.addressBoxWidth, urlboxWidth);
}

void TestLayoutRules::twipsConversion_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<int>("pixels");

    QTest::newRow("one pixel at 96 dpi") << 15 << 96.0 << 1;
    QTest::newRow("window width at 96 dpi") << 11595 << 96.0 << 773;
    QTest::newRow("window width at 192 dpi") << 11595 << 192.0 << 1546;
    QTest::newRow("one inch at 120 dpi") << 1440 << 120.0 << 120;
    QTest::newRow("negative") << -150 << 96.0 << -10;
}

void TestLayoutRules::twipsConversion()
{
    QFETCH(int, twips);
    QFETCH(qreal, dpi);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips, dpi), pixels);
    QCOMPARE(pixelsToTwips(pixels, dpi), twips);
}

void TestLayoutRules::firstWindowFitsTheScreen_data()
{
    QTest::addColumn<QSize>("designed");
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("expected");
    const QSize frame(10, 40);
    QTest::newRow("room to spare") << QSize(773, 689) << QSize(1600, 1160) << QSize(773, 689);
    QTest::newRow("twice the scale on a small screen") << QSize(1546, 1378) << QSize(1600, 1160) << QSize(1546, 1120);
    QTest::newRow("too narrow too") << QSize(1546, 1378) << QSize(1000, 700) << QSize(990, 660);
    QTest::newRow("exactly fits") << QSize(990, 660) << QSize(1000, 700) << QSize(990, 660);
    QTest::newRow("no screen to speak of") << QSize(773, 689) << QSize(0, 0) << QSize(1, 1);
}

void TestLayoutRules::firstWindowFitsTheScreen()
{
    QFETCH(QSize, designed);
    QFETCH(QSize, available);
    QFETCH(QSize, expected);
    QCOMPARE(firstWindowSize(designed, available, QSize(10, 40)), expected);
}

QTEST_GUILESS_MAIN(TestLayoutRules)
#include "tst_layout_rules.moc"
