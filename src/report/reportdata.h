#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>

class QAbstractItemModel;

// The row set a report reads: any Qt item model with named columns. A column's name is, in
// this order, its header data under ReportData::ColumnNameRole, the field name of a Qt SQL
// model (also behind proxy models that keep the columns), or its display header. Values are
// read under Qt::EditRole (falling back to Qt::DisplayRole), so that a screen may show
// formatted texts and still hand raw values to the report. Names compare without case.
class ReportData
{
public:
    static constexpr int ColumnNameRole = Qt::UserRole + 0x5250; // "RP"

    explicit ReportData(const QAbstractItemModel *model);

    const QAbstractItemModel *model() const { return m_model; }
    int rowCount() const { return m_rows; }
    // Fetches every row of a model that loads lazily (QSqlQueryModel) before counting.
    static void fetchAll(QAbstractItemModel *model);

    const QStringList &columnNames() const { return m_names; }
    int column(const QString &name) const; // -1 when there is none
    QString caption(int column) const;      // the display header
    // Columns whose names match the regular expression, in model order.
    QList<int> matchingColumns(const QString &pattern) const;

    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &name) const;

private:
    const QAbstractItemModel *m_model;
    int m_rows = 0;
    QStringList m_names;
    QHash<QString, int> m_byName; // lower-case name -> column
};
