#include "ui/login/tztxx.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "login/accountsetsetup.h"
#include "ui/app/messages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char *const RuleCaptions[3] = {"凭证复核和制单可以是同一个人（管理员设置）",
                                     "可以修改别人制的凭证（管理员设置）",
                                     "可以重复导入D8AZO的凭证（管理员设置）"};

} // namespace

Tztxx::Tztxx(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ztxx"));
    setWindowTitle(QStringLiteral("帐套信息"));
    auto *layout = new QVBoxLayout(this);
    const AccountSetSetup::Info info = AccountSetSetup::read(Tdm1::current().ADOConnection1());
    QStringList levels;
    for (int length : info.settings.levels)
        levels << QString::number(length);
    const QString texts[4] = {
        QStringLiteral("1.各级科目长度：%1").arg(levels.join(u'-')),
        QStringLiteral("2.开帐会计期间：%1年%2月").arg(info.settings.year).arg(info.settings.month),
        QStringLiteral("3.当前会计期间：%1年%2月").arg(info.currentYear).arg(info.currentMonth),
        QStringLiteral("帐套代码：%1").arg(AppContext.SetCode),
    };
    for (int i = 0; i < 4; ++i) {
        m_lines[i] = new QLabel(texts[i], this);
        layout->addWidget(m_lines[i]);
    }
    const bool administrator = AppContext.OperatorName == QStringLiteral("管理员");
    const bool stored[3] = {info.settings.sameReviewer, info.settings.editOthers,
                            info.settings.importAgain};
    for (int i = 0; i < 3; ++i) {
        m_stored[i] = stored[i];
        m_rules[i] = new QCheckBox(QString::fromUtf8(RuleCaptions[i]), this);
        m_rules[i]->setChecked(stored[i]);
        m_rules[i]->setEnabled(administrator);
        layout->addWidget(m_rules[i]);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString Tztxx::infoText() const
{
    QStringList lines;
    for (QLabel *line : m_lines)
        lines << line->text();
    return lines.join(u'\n');
}

void Tztxx::done(int result)
{
    // Closing the dialog keeps a changed rule and puts it in force at once.
    const bool changed = m_rules[0]->isChecked() != m_stored[0]
                         || m_rules[1]->isChecked() != m_stored[1]
                         || m_rules[2]->isChecked() != m_stored[2];
    try {
        if (changed)
            AccountSetSetup::saveRules(Tdm1::current().ADOConnection1(), m_rules[0]->isChecked(),
                                       m_rules[1]->isChecked(), m_rules[2]->isChecked());
        AppContext.SameReviewer = m_rules[0]->isChecked() ? 1 : 0;
        AppContext.EditOthers = m_rules[1]->isChecked() ? 1 : 0;
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    QDialog::done(result);
}
