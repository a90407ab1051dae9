#include "drawing_path.h"

#include <QTest>

using namespace bidwarden;

class TestDrawingPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void softwareRenderers_data();
    void softwareRenderers();
};

void TestDrawingPath::softwareRenderers_data()
{
    QTest::addColumn<QByteArray>("renderer");
    QTest::addColumn<bool>("software");
    // As Mesa and the drivers report them.
    QTest::newRow("llvmpipe") << QByteArray("llvmpipe (LLVM 15.0.6, 256 bits)") << true;
    QTest::newRow("llvmpipe, upper case") << QByteArray("LLVMPIPE (LLVM 19.1.7, 128 bits)") << true;
    QTest::newRow("softpipe") << QByteArray("softpipe") << true;
    QTest::newRow("old swrast") << QByteArray("Software Rasterizer") << true;
    QTest::newRow("SwiftShader") << QByteArray("Google SwiftShader") << true;
    QTest::newRow("Intel") << QByteArray("Mesa Intel(R) UHD Graphics 620 (KBL GT2)") << false;
    QTest::newRow("AMD") << QByteArray("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)") << false;
    QTest::newRow("NVIDIA") << QByteArray("NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2") << false;
    QTest::newRow("virtual GPU") << QByteArray("virgl (Mesa Intel(R) Xe Graphics)") << false;
    QTest::newRow("no OpenGL") << QByteArray() << false;
}

void TestDrawingPath::softwareRenderers()
{
    QFETCH(QByteArray, renderer);
    QFETCH(bool, software);
    QCOMPARE(isSoftwareRenderer(renderer), software);
}

QTEST_APPLESS_MAIN(TestDrawingPath)
#include "tst_drawing_path.moc"
