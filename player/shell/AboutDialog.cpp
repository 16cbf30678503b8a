#include "AboutDialog.h"

#include "DialogUnits.h"
#include "ProductLinks.h"
#include "Resources.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>

UrlLinkButton::UrlLinkButton(QWidget* parent) : QPushButton(parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral(
        "QPushButton { color: #1a5fb4; text-decoration: underline; border: none; "
        "text-align: left; padding: 0px; }"));
    connect(this, &QPushButton::clicked, this, [this] {
        if (url_.isValid())
            QDesktopServices::openUrl(url_);
    });
}

void UrlLinkButton::sizeToContent()
{
    resize(fontMetrics().horizontalAdvance(text()) + 4, height());
}

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner)
{
    velmora::initResources();
    setWindowTitle(QStringLiteral("About %1").arg(product::kName));
    const DialogUnits du(font());
    setFixedSize(du.toPixelsX(268), du.toPixelsY(185));

    auto* banner = new QLabel(this);
    banner->setGeometry(du.toPixels(0, 0, 267, 44));
    banner->setPixmap(QPixmap(QStringLiteral(":/images/IDB_ABOUT_BANNER.png"))
                          .scaled(banner->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    auto* version = new QLabel(QStringLiteral("%1    %2").arg(product::kName, product::kVersion), this);
    version->setObjectName(QStringLiteral("versionText"));
    version->setGeometry(du.toPixels(59, 59, 149, 8).adjusted(0, -2, 0, 2));

    auto* legal = new QLabel(product::kLegalNotice, this);
    legal->setObjectName(QStringLiteral("legalNotice"));
    legal->setGeometry(du.toPixels(33, 77, 197, 8).adjusted(0, -2, 0, 2));

    auto* webLabel = new QLabel(QStringLiteral("Web:"), this);
    webLabel->setGeometry(du.toPixels(60, 102, 17, 8).adjusted(0, -2, 8, 2));
    web_ = new UrlLinkButton(this);
    web_->setObjectName(QStringLiteral("link1128"));
    web_->setGeometry(du.toPixels(95, 100, 110, 10));
    web_->setText(product::kHomePageCaption);
    web_->setUrl(QUrl(product::kHomePage));
    web_->setToolTip(QStringLiteral("Go to VelmoraPlayer homepage"));
    web_->sizeToContent();

    auto* mailLabel = new QLabel(QStringLiteral("E-mail:"), this);
    mailLabel->setGeometry(du.toPixels(60, 119, 29, 8).adjusted(0, -2, 8, 2));
    mail_ = new UrlLinkButton(this);
    mail_->setObjectName(QStringLiteral("link1129"));
    mail_->setGeometry(du.toPixels(95, 118, 109, 11));
    mail_->setText(product::kSupportMail);
    mail_->setUrl(QUrl(QStringLiteral("mailto:") + product::kSupportMail));
    mail_->setToolTip(QStringLiteral("Send email"));
    mail_->sizeToContent();

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(du.toPixels(12, 142, 240, 1).adjusted(0, -1, 0, 1));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(du.toPixels(205, 160, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
