#include "dialogs_test_support.h"
#include "user_input.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace bidwarden;
using namespace bidwarden::test;

class TestStorePasswordDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void credentialsRoundTrip_data();
    void credentialsRoundTrip();
    void shortRecordsLeaveBoxesEmpty_data();
    void shortRecordsLeaveBoxesEmpty();
    void credentialsFileIsPrivate_data();
    void credentialsFileIsPrivate();
    void closingWritesNothing_data();
    void closingWritesNothing();
    void refusedCredentials_data();
    void refusedCredentials();
    void closeWhileScramblingWritesNothing_data();
    void closeWhileScramblingWritesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    SettingsFolder m_folder;
};

void TestStorePasswordDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = SettingsFolder(m_dir->path());
}

void TestStorePasswordDialog::credentialsRoundTrip_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::newRow("plain") << "alice" << "s3cret";
    QTest::newRow("both empty") << "" << "";
    QTest::newRow("blanks kept") << " bob " << "pass word ";
    QTest::newRow("code page letters") << QString::fromUtf8("Zoë") << QString::fromUtf8("päss€");
    // These two scramble to CR and LF: a stored line end must not eat them.
    QTest::newRow("scrambles to a line end") << QString::fromUtf8("¿") << QString::fromUtf8("¸");
}

void TestStorePasswordDialog::credentialsRoundTrip()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    {
        StorePasswordDialog dialog(m_folder);
        QSignalSpy closed(&dialog, &StorePasswordDialog::closed);
        dialog.show();
        dialog.userNameEdit()->setText(userName);
        dialog.passwordEdit()->setText(password);
        clickOn(dialog.saveButton());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!dialog.isVisible());
    }
    // The two fields, a comma after each, and the line end: one byte a character.
    const QByteArray bytes = bytesOf(m_folder.credentialsFile());
    QCOMPARE(bytes.size(), userName.size() + password.size() + 4);
    QVERIFY(bytes.endsWith("\r\n"));

    StorePasswordDialog reopened(m_folder);
    QCOMPARE(reopened.userNameEdit()->text(), userName);
    QCOMPARE(reopened.passwordEdit()->text(), password);
}

void TestStorePasswordDialog::shortRecordsLeaveBoxesEmpty_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("user name only") << "alice" << "alice" << "";
    QTest::newRow("no closing comma") << "alice,pw" << "alice" << "pw";
}

void TestStorePasswordDialog::shortRecordsLeaveBoxesEmpty()
{
    QFETCH(QString, record);
    QFETCH(QString, userName);
    QFETCH(QString, password);
    storeRecord(m_folder, record);
    StorePasswordDialog dialog(m_folder);
    QCOMPARE(dialog.userNameEdit()->text(), userName);
    QCOMPARE(dialog.passwordEdit()->text(), password);
}

void TestStorePasswordDialog::credentialsFileIsPrivate_data()
{
    QTest::addColumn<bool>("replacesSharedFile");
    QTest::newRow("new file") << false;
    QTest::newRow("replacing a world-readable file") << true;
}

void TestStorePasswordDialog::credentialsFileIsPrivate()
{
    QFETCH(bool, replacesSharedFile);
    const QString file = m_folder.credentialsFile();
    if (replacesSharedFile) {
        putBytes(file, "old\r\n");
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                | QFile::ReadOther));
    }
    StorePasswordDialog dialog(m_folder);
    dialog.show();
    dialog.userNameEdit()->setText(QStringLiteral("alice"));
    dialog.passwordEdit()->setText(QStringLiteral("pw"));
    dialog.save();
    QVERIFY(!dialog.isVisible());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
            | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions permissions = QFile::permissions(file);
    QVERIFY(permissions & QFile::ReadOwner);
    QVERIFY(permissions & QFile::WriteOwner);
    QCOMPARE(permissions & others, QFile::Permissions());
}

void TestStorePasswordDialog::closingWritesNothing_data()
{
    QTest::addColumn<bool>("byCancelButton");
    QTest::addColumn<bool>("hadFile");
    QTest::newRow("cancel, stored file") << true << true;
    QTest::newRow("cancel, no file") << true << false;
    QTest::newRow("close box, stored file") << false << true;
    QTest::newRow("close box, no file") << false << false;
}

void TestStorePasswordDialog::closingWritesNothing()
{
    QFETCH(bool, byCancelButton);
    QFETCH(bool, hadFile);
    const QString file = m_folder.credentialsFile();
    if (hadFile)
        storeRecord(m_folder, QStringLiteral("alice,pw,"));
    const QByteArray before = bytesOf(file);

    StorePasswordDialog dialog(m_folder);
    QSignalSpy closed(&dialog, &StorePasswordDialog::closed);
    dialog.show();
    dialog.userNameEdit()->setText(QStringLiteral("mallory"));
    if (byCancelButton)
        clickOn(dialog.cancelButton());
    else
        QVERIFY(dialog.close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QFile::exists(file), hadFile);
    QCOMPARE(bytesOf(file), before);
}

void TestStorePasswordDialog::refusedCredentials_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::newRow("comma in user name") << "al,ice" << "pw" << "The user name cannot contain a comma.";
    QTest::newRow("comma in password") << "alice" << "p,w" << "The password cannot contain a comma.";
    QTest::newRow("user name off the code page") << QString::fromUtf8("Łukasz") << "pw"
                                                 << QString::fromUtf8("user name cannot contain the character \"Ł\"");
    QTest::newRow("password off the code page") << "alice" << QString::fromUtf8("pw😀")
                                                << "The password contains a character that cannot be stored.";
}

void TestStorePasswordDialog::refusedCredentials()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    QFETCH(QString, message);
    storeRecord(m_folder, QStringLiteral("alice,pw,"));
    const QByteArray before = bytesOf(m_folder.credentialsFile());

    StorePasswordDialog dialog(m_folder);
    QSignalSpy closed(&dialog, &StorePasswordDialog::closed);
    dialog.show();
    dialog.userNameEdit()->setText(userName);
    dialog.passwordEdit()->setText(password);
    clickOn(dialog.saveButton());

    QMessageBox *box = visibleMessage(&dialog, QStringLiteral("inputRefused"));
    QVERIFY(box);
    QVERIFY2(box->text().contains(message), qPrintable(box->text()));
    // Nothing of the masked password is shown in the clear.
    QVERIFY(!box->text().contains(password));
    QVERIFY(dialog.isVisible());
    QCOMPARE(closed.count(), 0);
    QCOMPARE(bytesOf(m_folder.credentialsFile()), before);
}

void TestStorePasswordDialog::closeWhileScramblingWritesNothing_data()
{
    QTest::addColumn<bool>("deleteOnClose");
    QTest::newRow("deleting itself on close, as the program uses it") << true;
    QTest::newRow("kept after closing") << false;
}

void TestStorePasswordDialog::closeWhileScramblingWritesNothing()
{
    QFETCH(bool, deleteOnClose);
    auto owned = std::make_unique<StorePasswordDialog>(m_folder);
    const QPointer<StorePasswordDialog> dialog = owned.get();
    if (deleteOnClose) {
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        owned.release(); // the dialog deletes itself
    }
    dialog->show();
    dialog->userNameEdit()->setText(QStringLiteral("a user name long enough to be scrambled in parts"));
    // The close box, pressed while the record is being scrambled: the close
    // reaches the window, which closes (and maybe deletes) the dialog.
    QVERIFY(dialog->windowHandle());
    QCoreApplication::postEvent(dialog->windowHandle(), new QCloseEvent);
    dialog->save();
    QCOMPARE(dialog.isNull(), deleteOnClose);
    QVERIFY(!dialog || !dialog->isVisible());
    QVERIFY(!QFile::exists(m_folder.credentialsFile()));
}

QTEST_MAIN(TestStorePasswordDialog)
#include "tst_store_password_dialog.moc"
