#include "ui/login/tlogin3.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "login/accountsetsetup.h"
#include "ui/app/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char *const RuleCaptions[3] = {"凭证复核和制单可以是同一个人", "可以修改别人制的凭证",
                                     "可以重复导入D8AZO的凭证"};

} // namespace

Tlogin3::Tlogin3(const QString &code, const QString &name, QWidget *parent)
    : QDialog(parent), m_setCode(code)
{
    setObjectName(QStringLiteral("login3"));
    setWindowTitle(QStringLiteral("帐套基本信息"));
    auto *layout = new QVBoxLayout(this);

    auto *nameGroup = new QGroupBox(QStringLiteral("帐套名称及代码："), this);
    auto *nameRow = new QHBoxLayout(nameGroup);
    m_name = new QLineEdit(name, nameGroup);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setMaxLength(50);
    m_name->setEnabled(code.isEmpty());
    m_code = new QLineEdit(code.toUpper(), nameGroup);
    m_code->setObjectName(QStringLiteral("Edit2"));
    m_code->setReadOnly(true);
    m_code->setEnabled(false);
    m_code->setMaximumWidth(120);
    nameRow->addWidget(new QLabel(QStringLiteral("帐套名称："), nameGroup));
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(m_code);
    layout->addWidget(nameGroup);

    auto *periodGroup = new QGroupBox(QStringLiteral("1.选择开帐会计期间"), this);
    auto *periodRow = new QHBoxLayout(periodGroup);
    m_year = new QSpinBox(periodGroup);
    m_year->setRange(AccountSetSetup::UninitialisedYear + 1, 9999);
    m_year->setValue(QDate::currentDate().year());
    m_month = new QComboBox(periodGroup);
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(QStringLiteral("%1").arg(month, 3), month);
    periodRow->addWidget(new QLabel(QStringLiteral("会计年度："), periodGroup));
    periodRow->addWidget(m_year);
    periodRow->addSpacing(16);
    periodRow->addWidget(new QLabel(QStringLiteral("会计月份："), periodGroup));
    periodRow->addWidget(m_month);
    periodRow->addStretch();
    layout->addWidget(periodGroup);

    auto *levelGroup = new QGroupBox(QStringLiteral("2.选择各级科目长度"), this);
    auto *levelRow = new QHBoxLayout(levelGroup);
    const int fixed[2] = {4, 3};
    for (int i = 0; i < 6; ++i) {
        m_levels[i] = new QSpinBox(levelGroup);
        m_levels[i]->setRange(i < 2 ? fixed[i] : 2, i < 2 ? fixed[i] : 3);
        m_levels[i]->setValue(i < 2 ? fixed[i] : 2);
        m_levels[i]->setEnabled(i >= 2);
        levelRow->addWidget(new QLabel(QStringLiteral("%1级").arg(i + 1), levelGroup));
        levelRow->addWidget(m_levels[i]);
    }
    layout->addWidget(levelGroup);

    auto *ruleGroup = new QGroupBox(QStringLiteral("3.财务业务处理规则"), this);
    auto *ruleColumn = new QVBoxLayout(ruleGroup);
    for (int i = 0; i < 3; ++i) {
        m_rules[i] = new QCheckBox(QString::fromUtf8(RuleCaptions[i]), ruleGroup);
        ruleColumn->addWidget(m_rules[i]);
    }
    layout->addWidget(ruleGroup);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &Tlogin3::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void Tlogin3::confirm()
{
    if (m_setCode.isEmpty() && !createSet())
        return;
    initialise();
}

bool Tlogin3::createSet()
{
    if (m_name->text().trimmed().isEmpty()) {
        ShowInfo(QStringLiteral("请输入帐套名称。   "));
        m_name->setFocus();
        return false;
    }
    try {
        const Result<AccountSet> created = Tdm1::current().accountSets().create(m_name->text());
        if (!created) {
            ShowInfo(created.message());
            m_name->setFocus();
            return false;
        }
        m_setCode = created->code;
        m_code->setText(m_setCode.toUpper());
        m_name->setEnabled(false);
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("建立帐套出现错误。   "));
        reject();
        return false;
    }
    return true;
}

void Tlogin3::initialise()
{
    if (!ConfirmYesDefault(QStringLiteral("若设置，则以后不能更改各级科目长度及开帐会计期间！ "
                                          "确认进行帐套初始化吗？ ")))
        return;
    AccountSetSetup::Settings settings;
    settings.year = m_year->value();
    settings.month = m_month->currentData().toInt();
    for (int i = 0; i < 6; ++i)
        settings.levels[i] = m_levels[i]->value();
    settings.sameReviewer = m_rules[0]->isChecked();
    settings.editOthers = m_rules[1]->isChecked();
    settings.importAgain = m_rules[2]->isChecked();
    try {
        // The set is initialised on a connection of its own: the program's account-set
        // connection stays on the set that AppContext describes.
        const DbConnection set(QStringLiteral("lanx-initialise"),
                               Tdm1::current().accountSets().settings(), m_setCode);
        const Status done = AccountSetSetup::initialise(set.db(), settings);
        if (!done) {
            ShowInfo(done.message());
            return;
        }
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("数据库连接失败！    "));
        reject();
        return;
    }
    ShowInfo(QStringLiteral("成功设置！   "));
    AppContext.DialogResult = QStringLiteral("1");
    accept();
}
