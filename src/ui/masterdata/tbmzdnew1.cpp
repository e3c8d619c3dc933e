#include "ui/masterdata/tbmzdnew1.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "masterdata/departments.h"
#include "ui/app/messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *pictureButton(QWidget *parent, QStyle::StandardPixmap pixmap, const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(pixmap));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setIconSize(QSize(20, 20));
    return button;
}

} // namespace

Tbmzdnew1::Tbmzdnew1(const QSqlDatabase &db, const QString &currentCode, QWidget *parent)
    : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("bmzdnew1"));
    setWindowTitle(QStringLiteral("部门修改"));

    m_parentBox = new QLineEdit(this);
    m_parentBox->setObjectName(QStringLiteral("Edit1"));
    m_parentBox->setReadOnly(true);
    m_parentBox->setFixedWidth(80);
    m_dash = new QLabel(QStringLiteral("---"), this);
    m_segment = new QLineEdit(this);
    m_segment->setObjectName(QStringLiteral("Edit2"));
    m_segment->setMaxLength(Departments::SegmentLength);
    m_segment->setFixedWidth(48);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("DBEdit1"));
    m_name->setMaxLength(Departments::NameMaxLength);
    m_name->setMinimumWidth(240);

    auto *codeRow = new QHBoxLayout;
    codeRow->setSpacing(4);
    codeRow->addWidget(m_parentBox);
    codeRow->addWidget(m_dash);
    codeRow->addWidget(m_segment);
    codeRow->addStretch();
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(12);
    form->addWidget(new QLabel(QStringLiteral("部门编码："), this), 0, 0, Qt::AlignRight);
    form->addLayout(codeRow, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("部门名称："), this), 1, 0, Qt::AlignRight);
    form->addWidget(m_name, 1, 1);

    m_saveAndAdd = pictureButton(this, QStyle::SP_FileDialogNewFolder, QStringLiteral("保存并增加同级"));
    m_previous = pictureButton(this, QStyle::SP_ArrowBack, QStringLiteral("上一个"));
    m_next = pictureButton(this, QStyle::SP_ArrowForward, QStringLiteral("下一个"));
    m_ok = new QPushButton(QStringLiteral("确认"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);
    connect(m_saveAndAdd, &QToolButton::clicked, this, &Tbmzdnew1::saveAndAdd);
    connect(m_previous, &QToolButton::clicked, this, &Tbmzdnew1::previous);
    connect(m_next, &QToolButton::clicked, this, &Tbmzdnew1::next);
    connect(m_ok, &QPushButton::clicked, this, &Tbmzdnew1::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_saveAndAdd);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 12);
    layout->setSpacing(18);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    start(AppContext.FormMode, currentCode);
}

void Tbmzdnew1::start(int mode, const QString &code)
{
    m_mode = mode;
    m_code = code;
    m_parentCode = mode == 2 ? code : Departments::parentCode(code);
    m_loadedSegment.clear();
    m_loadedName.clear();
    bool segmentFree = true;
    if (mode == 3) {
        m_loadedSegment = code.right(Departments::SegmentLength);
        try {
            m_loadedName = Sql::scalar(m_db, QStringLiteral("select bmmc from bmbm where bmbm = ?"),
                                       {code})
                               .toString();
            segmentFree = Departments::codeChangeable(m_db, code);
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    }
    m_parentBox->setText(m_parentCode);
    m_parentBox->setVisible(!m_parentCode.isEmpty());
    m_dash->setVisible(!m_parentCode.isEmpty());
    m_segment->setText(m_loadedSegment);
    m_segment->setEnabled(segmentFree);
    m_name->setText(m_loadedName);
    if (segmentFree)
        m_segment->setFocus();
    else
        m_name->setFocus();
}

bool Tbmzdnew1::changed() const
{
    if (m_mode != 3)
        return !m_segment->text().isEmpty() || !m_name->text().isEmpty();
    return m_segment->text().trimmed() != m_loadedSegment || m_name->text() != m_loadedName;
}

bool Tbmzdnew1::save()
{
    if (m_mode == 3 && !changed())
        return true;
    Result<QString> saved = Refusal{};
    try {
        saved = Departments::save(m_db, m_parentCode, m_segment->text(), m_name->text(),
                                  m_mode == 3 ? m_code : QString());
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return false;
    }
    if (!saved) {
        ShowWarning(saved.message());
        const bool aboutName = saved.message().contains(QStringLiteral("名称"));
        (aboutName || !m_segment->isEnabled() ? m_name : m_segment)->setFocus();
        return false;
    }
    m_saved = saved.value();
    start(3, m_saved);
    return true;
}

void Tbmzdnew1::confirm()
{
    if (save())
        accept();
}

void Tbmzdnew1::saveAndAdd()
{
    if (save())
        start(1, m_code);
}

void Tbmzdnew1::next()
{
    move(1);
}

void Tbmzdnew1::previous()
{
    move(-1);
}

void Tbmzdnew1::move(int step)
{
    if (changed()) {
        if (ConfirmOkCancel(QStringLiteral("已修改,是否保存？"), QStringLiteral("提示"))) {
            if (!save())
                return;
        }
    }
    QStringList codes;
    try {
        for (const Departments::Department &department : Departments::list(m_db))
            codes << department.bmbm;
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    if (codes.isEmpty())
        return;
    const qsizetype at = codes.indexOf(m_code);
    const qsizetype target = at < 0 ? 0 : qBound<qsizetype>(0, at + step, codes.size() - 1);
    start(3, codes.at(target));
}
