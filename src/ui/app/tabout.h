#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QToolButton;

// The "about us" window: program name, version, the licence agreement, and the logo that leads
// to the web site. Non-modal; callers show() a new one each time and it deletes itself.
class Tabout : public QDialog
{
    Q_OBJECT

public:
    static inline const QString WebSite = QStringLiteral("https://www.lanx-soft.cn/");

    using UrlOpener = std::function<void(const QUrl &)>;

    explicit Tabout(QWidget *parent = nullptr);

    // Replaces how the web site is opened; tests pass a recorder so no browser starts. An empty
    // function restores QDesktopServices::openUrl.
    static void setUrlOpener(UrlOpener opener);

    // Opens WebSite in the browser; also serves the menu item that goes there without this
    // window.
    static void openWebSite();

    static QString licenceText();

signals:
    // Sent when the logo is clicked, before the browser is asked to open the site.
    void webSiteRequested(const QUrl &url);

private:
    void logoClicked();

    QToolButton *m_logoButton = nullptr;
};
