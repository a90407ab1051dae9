#pragma once

#include "credentials.h"
#include "scrambling.h"
#include "set_homepage_dialog.h"
#include "settings_folder.h"
#include "store_password_dialog.h"
#include "text_file.h"

#include <QFile>
#include <QMessageBox>
#include <QTest>

#include <memory>

namespace bidwarden::test {

inline const QString domain = QStringLiteral("ebay.com");
inline const QString nationalHost = QStringLiteral("www.ebay.co.uk");

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// pd1.txt holding any record, also one the program would not write (no
// final comma, one field), scrambled and ended as the program ends its own.
inline void storeRecord(const SettingsFolder &folder, const QString &record)
{
    QVERIFY(writeTextFileContents(encryptDecrypt(record, credentialsKey, {}), folder.credentialsFile(),
                                  FileVisibility::Private).ok());
}

// "password" or "homepage": lets one table row cover either dialog.
inline std::unique_ptr<QWidget> makeDialog(const QString &kind, const SettingsFolder &folder)
{
    if (kind == QLatin1String("password"))
        return std::make_unique<StorePasswordDialog>(folder);
    return std::make_unique<SetHomepageDialog>(folder, domain, nationalHost);
}

inline QString fileOf(const QString &kind, const SettingsFolder &folder)
{
    return kind == QLatin1String("password") ? folder.credentialsFile() : folder.homepageFile();
}

inline void saveDialog(QWidget *dialog)
{
    if (auto *password = qobject_cast<StorePasswordDialog *>(dialog))
        password->save();
    else if (auto *homepage = qobject_cast<SetHomepageDialog *>(dialog))
        homepage->save();
}

inline QMessageBox *visibleMessage(QWidget *dialog, const QString &name)
{
    auto *box = dialog->findChild<QMessageBox *>(name);
    return box && box->isVisible() ? box : nullptr;
}

} // namespace bidwarden::test
