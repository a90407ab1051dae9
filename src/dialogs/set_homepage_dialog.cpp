#include "set_homepage_dialog.h"

#include "code_page.h"
#include "dialog_support.h"
#include "text_file.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace bidwarden {

using namespace dialog_support;

SetHomepageDialog::SetHomepageDialog(const SettingsFolder &settings, const QString &auctionDomain,
                                     const QString &nationalHost)
    : QWidget(nullptr)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("eBayHomepage"));
    setWindowTitle(tr("Set eBay Homepage"));
    setClientSize(this, 4680, 3090);

    // Plain text: the names come from outside and are shown as written.
    m_label1 = new QLabel(tr("Set your eBay homepage. International users can set their eBay homepage "
                             "to a page other than %1 below.  ").arg(auctionDomain),
                          this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setTextFormat(Qt::PlainText);
    m_label1->setWordWrap(true);
    place(m_label1, 720, 480, 3495, 735);

    m_homepageTxt = new QLineEdit(this);
    m_homepageTxt->setObjectName(QStringLiteral("homepageTxt"));
    m_homepageTxt->setAccessibleName(tr("Auction home page address"));
    place(m_homepageTxt, 720, 1560, 3615, 285);

    m_label2 = new QLabel(tr("(Example: http://%1)").arg(nationalHost), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setTextFormat(Qt::PlainText);
    place(m_label2, 1200, 1920, 2895, 255);

    m_command1 = new QPushButton(tr("Set Homepage"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    // Enter in the box must not store a half-typed address.
    m_command1->setAutoDefault(false);
    m_command1->setDefault(false);
    place(m_command1, 720, 2160, 3615, 375);

    // The labels take no focus and have no mnemonics, so only the focusable
    // controls are ordered (setTabOrder ignores widgets without focus anyway).
    setTabOrder(m_homepageTxt, m_command1);

    connect(m_command1, &QPushButton::clicked, this, &SetHomepageDialog::save);

    loadStoredHomepage();
    // Takes effect when the window first becomes active.
    m_homepageTxt->setFocus(Qt::OtherFocusReason);
}

SetHomepageDialog::~SetHomepageDialog() = default;

void SetHomepageDialog::loadStoredHomepage()
{
    const QString file = m_settings.homepageFile();
    if (!fileExists(file))
        return;
    // Without the line end, so saving the page unchanged writes the same bytes.
    m_homepageTxt->setText(withoutLineEnd(readTextFileContentsQuietly(file)));
}

void SetHomepageDialog::save()
{
    const QString homepage = m_homepageTxt->text();
    // The file holds one line; a pasted line break would split the address.
    if (homepage.contains(QLatin1Char('\n')) || homepage.contains(QLatin1Char('\r'))) {
        showMessage(QStringLiteral("inputRefused"), tr("The homepage cannot contain a line break."));
        return;
    }
    const QString character = firstUnrepresentable(homepage);
    if (!character.isEmpty()) {
        showMessage(QStringLiteral("inputRefused"),
                    tr("The homepage cannot contain the character \"%1\".").arg(character));
        return;
    }
    const FileResult written = writeTextFileContents(homepage, m_settings.homepageFile());
    if (!written.ok()) {
        showMessage(QStringLiteral("saveError"),
                    tr("The homepage could not be saved.\n\n%1").arg(written.errorText));
        return;
    }
    close();
}

void SetHomepageDialog::showMessage(const QString &objectName, const QString &text)
{
    showWarning(this, m_message, objectName, text);
}

void SetHomepageDialog::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (m_message)
        m_message->close();
    Q_EMIT closed();
}

} // namespace bidwarden
