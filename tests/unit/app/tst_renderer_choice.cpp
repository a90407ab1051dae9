#include "renderer_choice.h"

#include <QTest>

using namespace bidwarden;

class TestRendererChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void softwareRenderers_data();
    void softwareRenderers();
    void usersChoiceIsLeftToQt_data();
    void usersChoiceIsLeftToQt();
};

void TestRendererChoice::softwareRenderers_data()
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

void TestRendererChoice::softwareRenderers()
{
    QFETCH(QByteArray, renderer);
    QFETCH(bool, software);
    QCOMPARE(isSoftwareRenderer(renderer), software);
}

void TestRendererChoice::usersChoiceIsLeftToQt_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("usersChoice");
    QTest::newRow("QT_QUICK_BACKEND") << QByteArray("QT_QUICK_BACKEND") << QByteArray("rhi") << true;
    QTest::newRow("the older QMLSCENE_DEVICE") << QByteArray("QMLSCENE_DEVICE") << QByteArray("softwarecontext")
                                               << true;
    QTest::newRow("engine flags") << QByteArray("QTWEBENGINE_CHROMIUM_FLAGS")
                                  << QByteArray("--enable-gpu-rasterization") << true;
    // Qt takes an empty value for none.
    QTest::newRow("empty: no choice") << QByteArray("QT_QUICK_BACKEND") << QByteArray() << false;
}

void TestRendererChoice::usersChoiceIsLeftToQt()
{
    // Qt reads these itself: the program neither looks at OpenGL nor
    // chooses. Without an application there is no OpenGL to look at, so
    // where nothing was chosen the default stays.
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(bool, usersChoice);
    qputenv(variable.constData(), value);
    const RendererChoice choice = chooseRenderer();
    qunsetenv(variable.constData());
    QCOMPARE(choice, usersChoice ? RendererChoice::UsersChoice : RendererChoice::Default);
}

QTEST_APPLESS_MAIN(TestRendererChoice)
#include "tst_renderer_choice.moc"
