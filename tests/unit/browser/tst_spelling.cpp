#include "spelling.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace bidwarden;

class TestSpelling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languagesForTheLocale_data();
    void languagesForTheLocale();
    void theEnvironmentsFolderAloneWhenSet();
    void languagesAreTheFoldersDictionaries();
};

void TestSpelling::languagesForTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QStringList>("languages");

    const QStringList english{ QStringLiteral("en-US") };
    QTest::newRow("the locale's own") << "en_US" << english << english;
    QTest::newRow("among others") << "pt_BR" << QStringList{ "de-DE", "pt-BR", "pt-PT" } << QStringList{ "pt-BR" };
    QTest::newRow("the bare language") << "de_AT" << QStringList{ "de", "en-US" } << QStringList{ "de" };
    QTest::newRow("another country's is not taken") << "en_GB" << english << QStringList();
    QTest::newRow("no dictionary for it") << "fi_FI" << english << QStringList();
    QTest::newRow("no dictionaries at all") << "en_US" << QStringList() << QStringList();
    QTest::newRow("the C locale names no language") << "C" << QStringList{ "C", "en-US" } << QStringList();
}

void TestSpelling::languagesForTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, available);
    QFETCH(QStringList, languages);
    QCOMPARE(spellCheckLanguagesFor(QLocale(locale), available), languages);
}

void TestSpelling::theEnvironmentsFolderAloneWhenSet()
{
    QCOMPARE(dictionaryFolderCandidates(QStringLiteral("/opt/dicts"), QStringLiteral("/usr/lib/bidwarden"),
                                        QStringLiteral("/usr/share/qt6")),
             QStringList{ QStringLiteral("/opt/dicts") });
    QCOMPARE(dictionaryFolderCandidates(QString(), QStringLiteral("/usr/lib/bidwarden"), QStringLiteral("/usr/share/qt6")),
             (QStringList{ QStringLiteral("/usr/lib/bidwarden/qtwebengine_dictionaries"),
                           QStringLiteral("/usr/share/qt6/qtwebengine_dictionaries") }));
}

void TestSpelling::languagesAreTheFoldersDictionaries()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char *name : { "en-US.bdic", "de-DE.bdic", "en_US.dic", "README" }) {
        QFile file(folder.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // A folder named like a dictionary is none.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("fr-FR.bdic")));
    QCOMPARE(dictionaryLanguages(folder.path()), (QStringList{ QStringLiteral("de-DE"), QStringLiteral("en-US") }));
    QCOMPARE(dictionaryLanguages(folder.filePath(QStringLiteral("missing"))), QStringList());
    QCOMPARE(dictionaryLanguages(QString()), QStringList());
}

QTEST_APPLESS_MAIN(TestSpelling)
#include "tst_spelling.moc"
