// The About dialog: the banner, "VelmoraPlayer    3.6.0.0", the legal notice, the home-page
// and e-mail links and OK. Laid out in dialog units of the default sans-serif font.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QUrl>

// A flat button that looks like a link and opens its URL through the desktop.
class UrlLinkButton : public QPushButton {
    Q_OBJECT
public:
    explicit UrlLinkButton(QWidget* parent = nullptr);
    void setUrl(const QUrl& url) { url_ = url; }
    const QUrl& url() const { return url_; }
    // Shrinks or grows the button to its caption.
    void sizeToContent();

private:
    QUrl url_;
};

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);

    UrlLinkButton* webLink() const { return web_; }
    UrlLinkButton* mailLink() const { return mail_; }

private:
    UrlLinkButton* web_ = nullptr;
    UrlLinkButton* mail_ = nullptr;
};
