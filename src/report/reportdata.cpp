#include "report/reportdata.h"

#include <QAbstractItemModel>
#include <QAbstractProxyModel>
#include <QRegularExpression>
#include <QSqlQueryModel>
#include <QSqlRecord>

namespace {

// The SQL field name of a column, looking through proxies that keep the column count.
QString sqlFieldName(const QAbstractItemModel *model, int column)
{
    while (model) {
        if (const auto *sql = qobject_cast<const QSqlQueryModel *>(model)) {
            const QSqlRecord record = sql->record();
            return column < record.count() ? record.fieldName(column) : QString();
        }
        const auto *proxy = qobject_cast<const QAbstractProxyModel *>(model);
        if (!proxy || !proxy->sourceModel()
            || proxy->sourceModel()->columnCount() != proxy->columnCount())
            return QString();
        model = proxy->sourceModel();
    }
    return QString();
}

} // namespace

ReportData::ReportData(const QAbstractItemModel *model) : m_model(model)
{
    if (!m_model)
        return;
    m_rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    for (int c = 0; c < columns; ++c) {
        QString name = m_model->headerData(c, Qt::Horizontal, ColumnNameRole).toString();
        if (name.isEmpty())
            name = sqlFieldName(m_model, c);
        if (name.isEmpty())
            name = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        m_names << name;
        const QString key = name.toLower();
        if (!m_byName.contains(key))
            m_byName.insert(key, c);
    }
}

void ReportData::fetchAll(QAbstractItemModel *model)
{
    if (!model)
        return;
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
}

int ReportData::column(const QString &name) const
{
    return m_byName.value(name.toLower(), -1);
}

QString ReportData::caption(int column) const
{
    return m_model ? m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()
                   : QString();
}

QList<int> ReportData::matchingColumns(const QString &pattern) const
{
    QList<int> columns;
    const QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    if (!expression.isValid())
        return columns;
    for (int c = 0; c < m_names.size(); ++c) {
        if (expression.match(m_names.at(c)).hasMatch())
            columns << c;
    }
    return columns;
}

QVariant ReportData::value(int row, int column) const
{
    if (!m_model || row < 0 || row >= m_rows || column < 0)
        return QVariant();
    const QModelIndex index = m_model->index(row, column);
    QVariant value = m_model->data(index, Qt::EditRole);
    if (!value.isValid())
        value = m_model->data(index, Qt::DisplayRole);
    return value;
}

QVariant ReportData::value(int row, const QString &name) const
{
    return value(row, column(name));
}
