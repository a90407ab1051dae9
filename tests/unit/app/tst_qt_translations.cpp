#include "qt_translations.h"

#include <QPushButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTranslator>

#include <memory>

using namespace bidwarden;

class TestQtTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qtsDialogsSpeakTheLocalesLanguage_data();
    void qtsDialogsSpeakTheLocalesLanguage();
};

void TestQtTranslations::qtsDialogsSpeakTheLocalesLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("lookIn");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("print");

    QTest::newRow("German") << "de_DE" << true << "Suchen in:" << "Abbrechen" << "Drucken";
    QTest::newRow("French") << "fr_FR" << true << "Voir dans :" << "Annuler" << "Imprimer";
    // The country's own catalogue, not the language's first one.
    QTest::newRow("Brazilian Portuguese") << "pt_BR" << true << "Procurar em:" << "Cancelar" << "Imprimir";
    QTest::newRow("English") << "en_GB" << true << "Look in:" << "Cancel" << "Print";
    QTest::newRow("a language Qt has no catalogue for") << "sw_KE" << false << "Look in:" << "Cancel" << "Print";
}

void TestQtTranslations::qtsDialogsSpeakTheLocalesLanguage()
{
    QFETCH(QString, locale);
    QFETCH(bool, loaded);
    QFETCH(QString, lookIn);
    QFETCH(QString, cancel);
    QFETCH(QString, print);

    // Deleting the translator takes it out of the application again.
    const std::unique_ptr<QTranslator> translator(installQtTranslations(*qApp, QLocale(locale)));
    QCOMPARE(translator != nullptr, loaded);

    // Qt's own file dialog, as a page's file input and the download's save
    // question show it where the desktop has none of its own.
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    auto *label = files.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    QVERIFY(label);
    // Qt 6.8's French catalogue puts a no-break space before the colon.
    QCOMPARE(label->text().replace(QChar(0x00A0), QLatin1Char(' ')), lookIn);
    auto *buttons = files.findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), cancel);

    QPrinter printer;
    QPrintDialog printing(&printer);
    QCOMPARE(printing.windowTitle(), print);
}

QTEST_MAIN(TestQtTranslations)
#include "tst_qt_translations.moc"
