#pragma once

#include "voucher/voucher.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>

// The lists the voucher entry screen loads when it opens: the chart with the names it shows
// (a sub-account shows "<level-1 name>/<own name>"), the leaf departments and all projects (each
// list ending with an entry of empty code and name, which removes an assignment) and the
// cash-flow accounts.
class VoucherLists
{
public:
    struct Entry
    {
        QString code;
        QString name;
    };

    // Reads everything again; `levelLen1` is AppContext.LevelLen1.
    void load(const QSqlDatabase &db, int levelLen1);
    // Re-reads the chart only (an account created meanwhile).
    void reloadChart(const QSqlDatabase &db);

    // The shown name (kmmc), empty for an unknown code.
    QString accountName(const QString &code) const;
    bool hasAccount(const QString &code) const { return m_accountNames.contains(code); }
    bool isCashFlowAccount(const QString &code) const { return m_cashFlow.contains(code); }
    QString departmentName(const QString &code) const;
    QString projectName(const QString &code) const;
    const QList<Entry> &departments() const { return m_departments; }
    const QList<Entry> &projects() const { return m_projects; }

    // Fills kmmc, bmmc and xmmc of every line without changing its row state.
    void fillNames(Voucher &voucher) const;

private:
    int m_levelLen1 = 0;
    QHash<QString, QString> m_accountNames;
    QSet<QString> m_cashFlow;
    QList<Entry> m_departments;
    QList<Entry> m_projects;
};
