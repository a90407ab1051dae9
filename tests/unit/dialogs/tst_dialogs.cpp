#include "dialogs_test_support.h"
#include "form_units.h"
#include "user_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QDir>
#include <QFileInfo>

#include <cmath>

using namespace bidwarden;
using namespace bidwarden::test;

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void controls_data();
    void controls();
    void tabOrder_data();
    void tabOrder();
    void initialFocus_data();
    void initialFocus();
    void windowsAreOwnerlessAndModeless();
    void passwordBoxMasksAndKeepsInputMethodsOut();
    void storedHomepage_data();
    void storedHomepage();
    void refusedHomepage_data();
    void refusedHomepage();
    void writeFailureKeepsDialogOpen_data();
    void writeFailureKeepsDialogOpen();
    void savesGoToTheUsersFolder_data();
    void savesGoToTheUsersFolder();
    void keysHaveNoWindowWideMeaning_data();
    void keysHaveNoWindowWideMeaning();
    void showingAgainKeepsTyping_data();
    void showingAgainKeepsTyping();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    SettingsFolder m_folder;
};

void TestDialogs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = SettingsFolder(m_dir->path());
}

void TestDialogs::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("explanation") << "password" << "Label3"
            << "To avoid the inital Bidwarden login process, you can store your password in the Bidwarden "
               "program. This will log you in when the program is started. "
            << QRect(600, 360, 3855, 855);
    QTest::newRow("user label") << "password" << "Label1" << "User Name:" << QRect(120, 1440, 975, 375);
    QTest::newRow("user box") << "password" << "userTxt" << "" << QRect(1080, 1440, 3135, 285);
    QTest::newRow("password label") << "password" << "Label2" << "Password:" << QRect(120, 1920, 975, 375);
    QTest::newRow("password box") << "password" << "passTxt" << "" << QRect(1080, 1920, 3135, 285);
    QTest::newRow("save") << "password" << "save" << "Save" << QRect(1080, 2520, 1575, 375);
    QTest::newRow("cancel") << "password" << "cancel" << "Cancel" << QRect(2760, 2520, 1575, 375);
    QTest::newRow("homepage explanation") << "homepage" << "Label1"
            << "Set your eBay homepage. International users can set their eBay homepage to a page other "
               "than ebay.com below.  "
            << QRect(720, 480, 3495, 735);
    QTest::newRow("homepage box") << "homepage" << "homepageTxt" << "" << QRect(720, 1560, 3615, 285);
    QTest::newRow("example") << "homepage" << "Label2" << "(Example: http://www.ebay.co.uk)"
                             << QRect(1200, 1920, 2895, 255);
    QTest::newRow("set") << "homepage" << "Command1" << "Set Homepage" << QRect(720, 2160, 3615, 375);
}

void TestDialogs::controls()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, twips);

    const std::unique_ptr<QWidget> dialog = makeDialog(kind, m_folder);
    auto *control = dialog->findChild<QWidget *>(name);
    QVERIFY(control);
    const qreal dpi = layoutDpi(dialog.get());
    const auto px = [dpi](int t) { return int(std::lround(t * dpi / 1440)); };
    const QRect designed(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    const QRect placed = control->geometry();
    // Labels grow from where they stand to show their whole text in the
    // desktop's font; a box beside one gives way on its left only.
    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(placed.topLeft(), designed.topLeft());
        QVERIFY(placed.width() >= designed.width() && placed.height() >= designed.height());
        if (label->wordWrap())
            QVERIFY(label->heightForWidth(placed.width()) <= placed.height());
        else
            QVERIFY(label->sizeHint().width() <= placed.width());
        for (auto *box : dialog->findChildren<QLineEdit *>()) {
            if (box->geometry().intersects(QRect(placed.topLeft(), label->sizeHint())))
                QFAIL(qPrintable(QStringLiteral("%1 covers the text of %2").arg(box->objectName(), name)));
        }
    } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(box->text(), text);
        QCOMPARE(placed.top(), designed.top());
        QCOMPARE(placed.right(), designed.right());
        QCOMPARE(placed.height(), designed.height());
        QVERIFY(placed.left() >= designed.left());
    } else {
        QCOMPARE(qobject_cast<QAbstractButton *>(control)->text(), text);
        QCOMPARE(placed, designed);
    }
    const QSize client = kind == QLatin1String("password") ? QSize(4680, 3195) : QSize(4680, 3090);
    QVERIFY(dialog->width() >= px(client.width()) && dialog->height() >= px(client.height()));
    QVERIFY(dialog->rect().contains(placed));
}

void TestDialogs::tabOrder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("order"); // from the initial focus, wrapping round
    QTest::newRow("password") << "password" << QStringList{ "save", "userTxt", "passTxt", "cancel", "save" };
    QTest::newRow("homepage") << "homepage" << QStringList{ "homepageTxt", "Command1", "homepageTxt" };
}

void TestDialogs::tabOrder()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, order);
    const std::unique_ptr<QWidget> dialog = makeDialog(kind, m_folder);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QStringList seen;
    for (int i = 0; i < order.size(); ++i) {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        seen << focused->objectName();
        pressKey(dialog.get(), Qt::Key_Tab);
    }
    QCOMPARE(seen, order);
}

void TestDialogs::initialFocus_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("focused");
    QTest::newRow("password") << "password" << "save";
    QTest::newRow("homepage") << "homepage" << "homepageTxt";
}

void TestDialogs::initialFocus()
{
    QFETCH(QString, kind);
    QFETCH(QString, focused);
    const std::unique_ptr<QWidget> dialog = makeDialog(kind, m_folder);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

void TestDialogs::windowsAreOwnerlessAndModeless()
{
    StorePasswordDialog password(m_folder);
    SetHomepageDialog homepage(m_folder, domain, nationalHost);
    QCOMPARE(password.objectName(), QStringLiteral("Form1"));
    QCOMPARE(password.windowTitle(), QStringLiteral("Save Password"));
    QCOMPARE(homepage.objectName(), QStringLiteral("eBayHomepage"));
    QCOMPARE(homepage.windowTitle(), QStringLiteral("Set eBay Homepage"));
    for (QWidget *dialog : { static_cast<QWidget *>(&password), static_cast<QWidget *>(&homepage) }) {
        QVERIFY(dialog->isWindow());
        QVERIFY(!dialog->parentWidget());
        QCOMPARE(dialog->windowModality(), Qt::NonModal);
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
        }
    }
}

void TestDialogs::passwordBoxMasksAndKeepsInputMethodsOut()
{
    StorePasswordDialog dialog(m_folder);
    dialog.show();
    QLineEdit *box = dialog.passwordEdit();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    clickOn(box);
    typeText(&dialog, QStringLiteral("abc"));
    QCOMPARE(box->text(), QStringLiteral("abc"));
    QCOMPARE(box->displayText(), QStringLiteral("***"));
    QVERIFY(!box->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(box->inputMethodHints().testFlag(Qt::ImhHiddenText));
    QVERIFY(box->inputMethodHints().testFlag(Qt::ImhSensitiveData));
}

void TestDialogs::storedHomepage_data()
{
    QTest::addColumn<bool>("hadFile");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("savedUnchanged");
    QTest::newRow("CR LF") << true << QByteArray("http://www.example.co.uk/\r\n")
                           << "http://www.example.co.uk/" << QByteArray("http://www.example.co.uk/\r\n");
    QTest::newRow("lone LF") << true << QByteArray("http://a.example/\n") << "http://a.example/"
                             << QByteArray("http://a.example/\r\n");
    QTest::newRow("no line end") << true << QByteArray("http://a.example/") << "http://a.example/"
                                 << QByteArray("http://a.example/\r\n");
    QTest::newRow("code page letters") << true << QByteArray("http://b\xe4r.example/\r\n")
                                       << QString::fromUtf8("http://bär.example/")
                                       << QByteArray("http://b\xe4r.example/\r\n");
    QTest::newRow("empty page") << true << QByteArray("\r\n") << "" << QByteArray("\r\n");
    // Older versions added a line end at every unchanged save.
    QTest::newRow("line ends piled up") << true << QByteArray("http://a.example/\r\n\r\n\r\n")
                                        << "http://a.example/" << QByteArray("http://a.example/\r\n");
    QTest::newRow("no file") << false << QByteArray() << "" << QByteArray("\r\n");
}

void TestDialogs::storedHomepage()
{
    QFETCH(bool, hadFile);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(QByteArray, savedUnchanged);
    if (hadFile)
        putBytes(m_folder.homepageFile(), stored);

    SetHomepageDialog dialog(m_folder, domain, nationalHost);
    QSignalSpy closed(&dialog, &SetHomepageDialog::closed);
    QCOMPARE(dialog.homepageEdit()->text(), shown);
    dialog.show();
    clickOn(dialog.setButton());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(bytesOf(m_folder.homepageFile()), savedUnchanged);
}

void TestDialogs::refusedHomepage_data()
{
    QTest::addColumn<QString>("homepage");
    QTest::addColumn<QString>("message");
    QTest::newRow("off the code page") << QString::fromUtf8("http://łódź.example/")
                                       << QString::fromUtf8("cannot contain the character \"ł\"");
    QTest::newRow("outside the basic plane") << QString::fromUtf8("http://😀.example/")
                                             << QString::fromUtf8("cannot contain the character \"😀\"");
    QTest::newRow("pasted line break") << "http://a.example/\r\nhttp://b.example/" << "line break";
}

void TestDialogs::refusedHomepage()
{
    QFETCH(QString, homepage);
    QFETCH(QString, message);
    const QByteArray before("http://old.example/\r\n");
    putBytes(m_folder.homepageFile(), before);

    SetHomepageDialog dialog(m_folder, domain, nationalHost);
    dialog.show();
    dialog.homepageEdit()->setText(homepage);
    clickOn(dialog.setButton());

    QMessageBox *box = visibleMessage(&dialog, QStringLiteral("inputRefused"));
    QVERIFY(box);
    QVERIFY2(box->text().contains(message), qPrintable(box->text()));
    QVERIFY(dialog.isVisible());
    QCOMPARE(bytesOf(m_folder.homepageFile()), before);
}

void TestDialogs::writeFailureKeepsDialogOpen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("folderAsFile"); // else a folder stands where the file belongs
    QTest::newRow("password, folder through a file") << "password" << true;
    QTest::newRow("password, folder in the file's place") << "password" << false;
    QTest::newRow("homepage, folder through a file") << "homepage" << true;
    QTest::newRow("homepage, folder in the file's place") << "homepage" << false;
}

void TestDialogs::writeFailureKeepsDialogOpen()
{
    QFETCH(QString, kind);
    QFETCH(bool, folderAsFile);
    SettingsFolder folder = m_folder;
    if (folderAsFile) {
        putBytes(m_folder.filePath(QStringLiteral("afile")), "x");
        folder = SettingsFolder(m_folder.filePath(QStringLiteral("afile")) + QStringLiteral("/sub"));
    } else {
        QVERIFY(QDir(m_folder.path()).mkdir(QFileInfo(fileOf(kind, folder)).fileName()));
    }
    const QString expectedError = writeTextFileContents(QStringLiteral(",,"), fileOf(kind, folder)).errorText;
    QVERIFY(!expectedError.isEmpty());

    const std::unique_ptr<QWidget> dialog = makeDialog(kind, folder);
    dialog->show();
    saveDialog(dialog.get());
    QMessageBox *box = visibleMessage(dialog.get(), QStringLiteral("saveError"));
    QVERIFY(box);
    QVERIFY2(box->text().contains(expectedError), qPrintable(box->text()));
    QVERIFY(dialog->isVisible());
}

void TestDialogs::savesGoToTheUsersFolder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("userFolderBlocked"); // a file stands where the user's folder belongs
    QTest::newRow("password") << "password" << false;
    QTest::newRow("homepage") << "homepage" << false;
    QTest::newRow("password, the user's folder cannot be made") << "password" << true;
    QTest::newRow("homepage, the user's folder cannot be made") << "homepage" << true;
}

void TestDialogs::savesGoToTheUsersFolder()
{
    QFETCH(QString, kind);
    QFETCH(bool, userFolderBlocked);
    // An installed program: the administrator's defaults beside it, the
    // user's folder made on the first save.
    const SettingsFolder program(m_dir->filePath(QStringLiteral("program")));
    QVERIFY(QDir().mkpath(program.path()));
    storeRecord(program, QStringLiteral("admin,default,"));
    putBytes(program.homepageFile(), "http://default.example/\r\n");
    const QByteArray defaults = bytesOf(fileOf(kind, program));
    const QString userPath = m_dir->filePath(QStringLiteral("config/Bidwarden"));
    if (userFolderBlocked) {
        QVERIFY(QDir().mkpath(QFileInfo(userPath).path()));
        putBytes(userPath, "x");
    }
    const SettingsFolder folder(program.path(), userPath);

    const std::unique_ptr<QWidget> dialog = makeDialog(kind, folder);
    const QStringList boxes = kind == QLatin1String("password") ? QStringList{ "userTxt", "passTxt" }
                                                                : QStringList{ "homepageTxt" };
    const QStringList shown = kind == QLatin1String("password") ? QStringList{ "admin", "default" }
                                                                : QStringList{ "http://default.example/" };
    for (qsizetype i = 0; i < boxes.size(); ++i)
        QCOMPARE(dialog->findChild<QLineEdit *>(boxes.at(i))->text(), shown.at(i));
    dialog->findChild<QLineEdit *>(boxes.first())->setText(QStringLiteral("mine"));
    dialog->show();
    saveDialog(dialog.get());

    QCOMPARE(bytesOf(fileOf(kind, program)), defaults);
    if (userFolderBlocked) {
        QMessageBox *box = visibleMessage(dialog.get(), QStringLiteral("saveError"));
        QVERIFY(box);
        QVERIFY2(box->text().contains(QDir::toNativeSeparators(userPath)), qPrintable(box->text()));
        QVERIFY(dialog->isVisible());
        return;
    }
    QVERIFY(!dialog->isVisible());
    QCOMPARE(QFile::permissions(userPath) & 0x7777, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                            | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    const QString saved = fileOf(kind, folder);
    QCOMPARE(QFileInfo(saved).path(), userPath);
    if (kind == QLatin1String("password"))
        QCOMPARE(readCredentials(saved, {}).credentials.userName, QStringLiteral("mine"));
    else
        QCOMPARE(bytesOf(saved), QByteArray("mine\r\n"));
}

void TestDialogs::keysHaveNoWindowWideMeaning_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in the homepage box") << "homepage" << "homepageTxt" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in the homepage box") << "homepage" << "homepageTxt" << int(Qt::Key_Enter);
    QTest::newRow("Esc in the homepage box") << "homepage" << "homepageTxt" << int(Qt::Key_Escape);
    QTest::newRow("Enter in the user box") << "password" << "userTxt" << int(Qt::Key_Return);
    QTest::newRow("Enter in the password box") << "password" << "passTxt" << int(Qt::Key_Return);
    QTest::newRow("Enter on Save") << "password" << "save" << int(Qt::Key_Return);
    QTest::newRow("Esc in the password box") << "password" << "passTxt" << int(Qt::Key_Escape);
}

void TestDialogs::keysHaveNoWindowWideMeaning()
{
    QFETCH(QString, kind);
    QFETCH(QString, target);
    QFETCH(int, key);
    const std::unique_ptr<QWidget> dialog = makeDialog(kind, m_folder);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    auto *widget = dialog->findChild<QWidget *>(target);
    QVERIFY(widget);
    // A box gets the focus by a click; Save has it when the dialog opens.
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        edit->setText(QStringLiteral("typed"));
        clickOn(edit);
    }
    QCOMPARE(dialog->focusWidget(), widget);
    pressKey(dialog.get(), Qt::Key(key));
    QVERIFY(dialog->isVisible());
    QVERIFY(!QFile::exists(fileOf(kind, m_folder)));
}

void TestDialogs::showingAgainKeepsTyping_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("box");
    QTest::newRow("password") << "password" << "userTxt";
    QTest::newRow("homepage") << "homepage" << "homepageTxt";
}

void TestDialogs::showingAgainKeepsTyping()
{
    QFETCH(QString, kind);
    QFETCH(QString, box);
    const std::unique_ptr<QWidget> dialog = makeDialog(kind, m_folder);
    dialog->show();
    auto *edit = dialog->findChild<QLineEdit *>(box);
    edit->setText(QStringLiteral("typed"));
    putBytes(fileOf(kind, m_folder), "changed elsewhere\r\n");
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    QCOMPARE(edit->text(), QStringLiteral("typed"));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
