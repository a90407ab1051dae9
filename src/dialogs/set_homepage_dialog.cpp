#include "set_homepage_dialog.h"

#include "code_page.h"
#include "dialog_support.h"
#include "text_file.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bidwarden {

using namespace dialog_support;

SetHomepageDialog::SetHomepageDialog(const SettingsFolder &settings, const QString &auctionDomain,
                                     const QString &nationalHost)
    : SettingsDialog(settings, QStringLiteral("eBayHomepage"), tr("Set eBay Homepage"))
{
    setClientSize(this, 4680, 3090);

    // Plain text: the names come from outside and are shown as written.
    m_explanation = new QLabel(tr("Set your eBay homepage. International users can set their eBay homepage "
                                  "to a page other than %1 below.  ").arg(auctionDomain),
                               this);
    m_explanation->setObjectName(QStringLiteral("Label1"));
    m_explanation->setTextFormat(Qt::PlainText);
    m_explanation->setWordWrap(true);
    m_explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(m_explanation, 720, 480, 3495, 735);

    m_homepageEdit = new QLineEdit(this);
    m_homepageEdit->setObjectName(QStringLiteral("homepageTxt"));
    m_homepageEdit->setAccessibleName(tr("Auction home page address"));
    place(m_homepageEdit, 720, 1560, 3615, 285);

    m_example = new QLabel(tr("(Example: http://%1)").arg(nationalHost), this);
    m_example->setObjectName(QStringLiteral("Label2"));
    m_example->setTextFormat(Qt::PlainText);
    place(m_example, 1200, 1920, 2895, 255);

    m_setButton = new QPushButton(tr("Set Homepage"), this);
    m_setButton->setObjectName(QStringLiteral("Command1"));
    // Enter in the box must not store a half-typed address.
    m_setButton->setAutoDefault(false);
    m_setButton->setDefault(false);
    place(m_setButton, 720, 2160, 3615, 375);

    fitLabelToText(m_explanation);
    fitLabelToText(m_example);
    fitWindowToControls(this, pixels(this, 120));

    // The labels take no focus and have no mnemonics, so only the focusable
    // controls are ordered (setTabOrder ignores widgets without focus anyway).
    setTabOrder(m_homepageEdit, m_setButton);

    connect(m_setButton, &QPushButton::clicked, this, &SetHomepageDialog::save);

    loadStoredHomepage();
    // Takes effect when the window first becomes active.
    m_homepageEdit->setFocus(Qt::OtherFocusReason);
}

SetHomepageDialog::~SetHomepageDialog() = default;

void SetHomepageDialog::loadStoredHomepage()
{
    const QString file = settings().homepageFile();
    if (!fileExists(file))
        return;
    // Without the line end, so saving the page unchanged writes the same
    // bytes; and without any further ones that an older version's repeated
    // saves left behind, which start-up ignores as well.
    m_homepageEdit->setText(withoutTrailingLineEnds(readTextFileContentsQuietly(file)));
}

void SetHomepageDialog::save()
{
    const QString homepage = m_homepageEdit->text();
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
    FileResult written = settings().prepareToSave();
    if (written.ok())
        written = writeTextFileContents(homepage, settings().homepageFileToSave());
    if (!written.ok()) {
        showMessage(QStringLiteral("saveError"),
                    tr("The homepage could not be saved.\n\n%1").arg(written.errorText));
        return;
    }
    close();
}

} // namespace bidwarden
