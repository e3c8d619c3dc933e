#include "tabout.h"

#include <QDesktopServices>
#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int LogoSize = 96;

Tabout::UrlOpener &urlOpener()
{
    static Tabout::UrlOpener opener;
    return opener;
}

// Without the SVG image plugin the logo file cannot be read; draw the same blue book mark by
// hand rather than leave an empty button in the window.
QIcon fallbackLogo()
{
    QPixmap pixmap(LogoSize * 2, LogoSize * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF book(12, 8, 72, 80);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x6f, 0xb2));
    painter.drawRoundedRect(book, 8, 8);
    painter.setBrush(QColor(0xf2, 0xa3, 0x3a));
    painter.drawRect(QRectF(22, 8, 6, 80));
    QPen wave(Qt::white, 5, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath path;
        const qreal y = 34 + i * 16;
        path.moveTo(38, y);
        path.cubicTo(46, y - 8, 54, y + 8, 62, y);
        path.cubicTo(66, y - 4, 70, y - 4, 74, y);
        painter.drawPath(path);
    }
    return QIcon(pixmap);
}

QIcon logoIcon()
{
    const QIcon icon(QStringLiteral(":/icons/logo.svg"));
    if (!icon.pixmap(LogoSize).isNull())
        return icon;
    return fallbackLogo();
}

} // namespace

Tabout::Tabout(QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("关于我们"));
    const QIcon logo = logoIcon();
    setWindowIcon(logo);

    m_logoButton = new QToolButton(this);
    m_logoButton->setObjectName(QStringLiteral("logoButton"));
    m_logoButton->setIcon(logo);
    m_logoButton->setIconSize(QSize(LogoSize, LogoSize));
    m_logoButton->setAutoRaise(true);
    m_logoButton->setCursor(Qt::PointingHandCursor);
    m_logoButton->setToolTip(WebSite);
    // The keyboard goes to 确定; the logo is a mouse affordance only.
    m_logoButton->setFocusPolicy(Qt::NoFocus);
    connect(m_logoButton, &QToolButton::clicked, this, &Tabout::logoClicked);

    auto nameLabel = new QLabel(QStringLiteral("澜序财务系统"), this);
    nameLabel->setObjectName(QStringLiteral("nameLabel"));
    QFont nameFont = nameLabel->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.8);
    nameFont.setBold(true);
    nameLabel->setFont(nameFont);

    auto versionLabel = new QLabel(QStringLiteral("  3.0"), this);
    versionLabel->setObjectName(QStringLiteral("versionLabel"));
    QFont versionFont = versionLabel->font();
    versionFont.setPointSizeF(versionFont.pointSizeF() * 1.4);
    versionLabel->setFont(versionFont);

    auto titleRow = new QHBoxLayout;
    titleRow->addWidget(nameLabel, 0, Qt::AlignBottom);
    titleRow->addWidget(versionLabel, 0, Qt::AlignBottom);
    titleRow->addStretch();

    auto copyrightLabel = new QLabel(QStringLiteral("版权所有 © 澜序软件"), this);
    auto siteLabel = new QLabel(QStringLiteral("单击左侧图标访问 ") + WebSite, this);
    QPalette hintPalette = siteLabel->palette();
    hintPalette.setColor(QPalette::WindowText, QColor(0x5f, 0x6b, 0x76));
    copyrightLabel->setPalette(hintPalette);
    siteLabel->setPalette(hintPalette);

    auto identity = new QVBoxLayout;
    identity->addStretch();
    identity->addLayout(titleRow);
    identity->addWidget(copyrightLabel);
    identity->addWidget(siteLabel);
    identity->addStretch();

    auto header = new QHBoxLayout;
    header->addWidget(m_logoButton);
    header->addSpacing(8);
    header->addLayout(identity, 1);

    auto licenceHeading = new QLabel(QStringLiteral("软件许可证协议"), this);
    QFont headingFont = licenceHeading->font();
    headingFont.setBold(true);
    licenceHeading->setFont(headingFont);

    auto licence = new QPlainTextEdit(this);
    licence->setObjectName(QStringLiteral("licenceText"));
    licence->setReadOnly(true);
    licence->setPlainText(licenceText());
    licence->setMinimumSize(520, 260);

    auto okButton = new QPushButton(QStringLiteral("确定"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &Tabout::close);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);

    auto layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addSpacing(6);
    layout->addWidget(licenceHeading);
    layout->addWidget(licence, 1);
    layout->addLayout(buttons);
    okButton->setFocus();
}

void Tabout::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

void Tabout::logoClicked()
{
    emit webSiteRequested(QUrl(WebSite));
    openWebSite();
}

void Tabout::openWebSite()
{
    const QUrl url(WebSite);
    if (const UrlOpener &opener = urlOpener())
        opener(url);
    else
        QDesktopServices::openUrl(url);
}

QString Tabout::licenceText()
{
    return QStringLiteral(
        "澜序财务系统最终用户许可协议\n\n"
        "安装、复制或使用本软件，即表示您同意本协议的全部条款；如不同意，请勿安装或使用。\n\n"
        "1. 授权使用：取得使用授权后，您获得一项非独占、不可转让的许可，"
        "用于登记和处理一家企业（一个会计主体）的账务。为其他单位记账须另行取得授权。\n\n"
        "2. 安装与副本：您可以在本单位的计算机上安装本软件，并为备份目的制作合理数量的副本；"
        "各副本均应保留本协议及版权标记。\n\n"
        "3. 使用限制：不得出租、出借、转售或再许可本软件，不得对本软件进行反向工程、"
        "反编译或反汇编，法律明确允许的除外。\n\n"
        "4. 知识产权：本软件及其文档的著作权和其他知识产权归澜序软件所有，"
        "本协议不转让任何所有权。\n\n"
        "5. 数据归属：您使用本软件录入和生成的凭证、账簿、报表等全部会计数据归您所有。"
        "澜序软件对这些数据不主张任何权利，未经您同意也不收集这些数据。\n\n"
        "6. 数据备份：您应建立并执行定期备份制度，妥善保管备份介质。"
        "因未备份造成的数据丢失由您自行承担。\n\n"
        "7. 会计责任：本软件是记账工具，不能代替会计人员的职业判断。"
        "您应对录入数据的真实、准确以及据此编制的会计资料负责。\n\n"
        "8. 担保免除：本软件按“现状”提供。除法律规定必须承担的责任外，"
        "澜序软件不作其他明示或默示的担保。\n\n"
        "9. 责任限制：在法律允许的范围内，澜序软件对因使用或无法使用本软件而产生的间接损失、"
        "利润损失或数据损失不承担责任。\n\n"
        "10. 协议终止：您违反本协议任何条款时，本许可自动终止，"
        "您应停止使用并删除本软件的全部副本。\n\n"
        "11. 法律适用：本协议适用中华人民共和国法律。因本协议产生的争议，双方应友好协商解决；"
        "协商不成的，提交澜序软件所在地人民法院诉讼解决。\n");
}
