#include "ui/login/tczyxx1.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "login/operators.h"
#include "ui/app/messages.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <iterator>

namespace {

struct RightCaption
{
    int right;
    const char *caption;
};

const RightCaption RightCaptions[] = {
    {1, "凭证录入、修改"},   {2, "凭证、帐本查询"},     {3, "审核、重排凭证号"},
    {4, "登帐、月末结转"},   {5, "科目汇总、试算平衡"}, {6, "部门、项目辅助核算"},
    {7, "工资数据维护"},     {8, "工资信息查询"},       {9, "固定资产数据维护"},
    {11, "固定资产询"},      {12, "现金流量"},          {13, "帐务基础资料"},
    {14, "帐套备份、恢复"},  {15, "操作员授权"},        {16, "管理上机日志"},
    {17, "财务报表"},
};

constexpr int BoxesPerColumn = 8;

} // namespace

const QList<int> &Tczyxx1::grantableRights()
{
    static const QList<int> rights = [] {
        QList<int> list;
        for (const RightCaption &right : RightCaptions)
            list << right.right;
        return list;
    }();
    return rights;
}

Tczyxx1::Tczyxx1(const QSqlDatabase &set, int operatorId, QWidget *parent)
    : QDialog(parent), m_set(set), m_mode(AppContext.FormMode),
      m_rights(Operators::RightCount + 1, 0)
{
    setObjectName(QStringLiteral("czyxx1"));
    if (m_mode == 2)
        m_id = operatorId;
    setWindowTitle(QStringLiteral("修改及授权"));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("DBEdit1"));
    m_name->setMaxLength(Operators::NameMaxLength);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("DBEdit2"));
    m_password->setEchoMode(QLineEdit::Password);
    // Only a new operator gets his first password here; later he changes it himself.
    m_password->setEnabled(m_mode == 1);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("操作员姓名："), m_name);
    form->addRow(QStringLiteral("密码："), m_password);

    auto *rightsGroup = new QGroupBox(QStringLiteral("操作权限"), this);
    auto *grid = new QGridLayout(rightsGroup);
    grid->setHorizontalSpacing(24);
    for (int i = 0; i < int(std::size(RightCaptions)); ++i) {
        auto *box = new QCheckBox(QString::fromUtf8(RightCaptions[i].caption), rightsGroup);
        box->setObjectName(QStringLiteral("bz%1").arg(RightCaptions[i].right));
        grid->addWidget(box, i % BoxesPerColumn, i / BoxesPerColumn);
        m_boxes << box;
    }

    m_selectAll = new QPushButton(QStringLiteral("全选"), this);
    m_clearAll = new QPushButton(QStringLiteral("全消"), this);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    for (QPushButton *button : {m_selectAll, m_clearAll, m_cancel})
        button->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(m_selectAll, &QPushButton::clicked, this, [this] { setAllRights(1); });
    connect(m_clearAll, &QPushButton::clicked, this, [this] { setAllRights(0); });
    connect(m_ok, &QPushButton::clicked, this, &Tczyxx1::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addWidget(m_clearAll);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(rightsGroup);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    setTabOrder(m_name, m_password);
    QWidget *previous = m_password;
    for (QCheckBox *box : std::as_const(m_boxes)) {
        setTabOrder(previous, box);
        previous = box;
    }
    for (QPushButton *next : {m_ok, m_cancel, m_selectAll, m_clearAll}) {
        setTabOrder(previous, next);
        previous = next;
    }
    setFixedSize(sizeHint());

    if (m_mode == 2)
        loadOperator();
    m_name->setFocus();
}

QCheckBox *Tczyxx1::rightBox(int right) const
{
    const qsizetype index = grantableRights().indexOf(right);
    return index < 0 ? nullptr : m_boxes.at(index);
}

void Tczyxx1::loadOperator()
{
    try {
        QSqlQuery row =
            Sql::exec(m_set, QStringLiteral("select * from op_detail where id=?"), {m_id});
        if (!row.next())
            return;
        m_name->setText(row.value(QStringLiteral("name")).toString());
        m_rights = Operators::rightsOf(row.record());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes.at(i)->setChecked(m_rights.at(grantableRights().at(i)) == 1);
}

void Tczyxx1::setAllRights(int value)
{
    // Every right of the row, those without a box included.
    m_rights.fill(value);
    for (QCheckBox *box : std::as_const(m_boxes))
        box->setChecked(value == 1);
}

QList<int> Tczyxx1::rightsTyped() const
{
    QList<int> rights = m_rights;
    for (int i = 0; i < m_boxes.size(); ++i)
        rights[grantableRights().at(i)] = m_boxes.at(i)->isChecked() ? 1 : 0;
    return rights;
}

void Tczyxx1::confirm()
{
    try {
        if (m_mode == 1) {
            const Result<int> added =
                Operators::add(m_set, m_name->text(), m_password->text(), rightsTyped());
            if (!added) {
                ShowInfo(added.message());
                m_name->setFocus();
                return;
            }
            m_id = added.value();
        } else {
            const Status updated = Operators::update(m_set, m_id, m_name->text(), rightsTyped());
            if (!updated) {
                ShowInfo(updated.message());
                m_name->setFocus();
                return;
            }
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    accept();
}
