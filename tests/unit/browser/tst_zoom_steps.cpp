#include "zoom_steps.h"

#include <QTest>

using namespace bidwarden;

class TestZoomSteps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data();
    void steps();
};

void TestZoomSteps::steps_data()
{
    QTest::addColumn<qreal>("from");
    QTest::addColumn<qreal>("in");
    QTest::addColumn<qreal>("out");

    QTest::newRow("own size") << 1.0 << 1.1 << 0.9;
    QTest::newRow("on a step") << 1.25 << 1.5 << 1.1;
    QTest::newRow("between steps") << 1.2 << 1.25 << 1.1;
    QTest::newRow("a hair off a step") << 1.0999999 << 1.25 << 1.0;
    QTest::newRow("smallest") << 0.25 << 0.33 << 0.25;
    QTest::newRow("largest") << 5.0 << 5.0 << 4.0;
    QTest::newRow("beyond the largest") << 7.0 << 5.0 << 5.0;
}

void TestZoomSteps::steps()
{
    QFETCH(qreal, from);
    QFETCH(qreal, in);
    QFETCH(qreal, out);
    QCOMPARE(zoomedIn(from), in);
    QCOMPARE(zoomedOut(from), out);
}

QTEST_APPLESS_MAIN(TestZoomSteps)
#include "tst_zoom_steps.moc"
