#include "commands.h"
#include "icons.h"

#include <QApplication>
#include <QImage>
#include <QTest>

using namespace bidwarden;

// The pictures are rendered while building and compiled in; one that was not
// rendered or not listed would leave a button blank without any error.
class TestIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerProgramIcons(); }
    void eachPictureComesAtBothDensities_data();
    void eachPictureComesAtBothDensities();
    void programIconHasTheDesktopSizes();
};

namespace {

bool hasVisiblePixels(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) != 0)
                return true;
        }
    }
    return false;
}

} // namespace

void TestIcons::eachPictureComesAtBothDensities_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    for (const char *toolbar : { "back", "forward", "stop", "refresh", "home", "snipe", "print", "help" })
        QTest::newRow(toolbar) << QString::fromLatin1(toolbar) << 16;
    QTest::newRow("page") << QStringLiteral("page") << 20;
}

void TestIcons::eachPictureComesAtBothDensities()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    const QPixmap normal = bundledPicture(name + QStringLiteral(".png"));
    const QPixmap dense = bundledPicture(name + QStringLiteral("@2x.png"));
    QCOMPARE(normal.size(), QSize(size, size));
    QCOMPARE(dense.size(), QSize(2 * size, 2 * size));
    QVERIFY(hasVisiblePixels(normal.toImage()));
    QVERIFY(hasVisiblePixels(dense.toImage()));

    // The icon gives the dense picture itself on a high-density screen, not
    // the normal one scaled up.
    const QIcon icon = bundledIcon(name.toLatin1().constData());
    QCOMPARE(icon.pixmap(QSize(size, size), 1.0).toImage(), normal.toImage());
    const QImage atTwice = icon.pixmap(QSize(size, size), 2.0).toImage();
    QCOMPARE(atTwice.size(), dense.size());
    QCOMPARE(atTwice.convertToFormat(QImage::Format_ARGB32), dense.toImage().convertToFormat(QImage::Format_ARGB32));
}

void TestIcons::programIconHasTheDesktopSizes()
{
    const QIcon icon = programIcon();
    QList<QSize> expected;
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 })
        expected.append(QSize(size, size));
    QCOMPARE(icon.availableSizes(), expected);
    for (const QSize &size : expected)
        QVERIFY(hasVisiblePixels(icon.pixmap(size).toImage()));
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
