#pragma once

#include "masterdata/accountlookup.h"

#include <QHash>
#include <QSqlDatabase>

// The whole chart of accounts read once ("select * from iteminfo order by itembm"), for screens
// that look up many codes taken from the chart itself: a lookup then costs no statement. The
// cache does not classify codes: its lookups report NotFound as kind.
class ChartCache
{
public:
    void open(const QSqlDatabase &db);
    void close();
    bool isOpen() const { return m_open; }

    // The account of that code, or nullptr when the chart read had none.
    const CodeLookup *find(const QString &code) const;

private:
    QHash<QString, CodeLookup> m_accounts;
    bool m_open = false;
};

// The cached chart kept for LookupAccountCached; the caller opens it on the open account set
// before looking codes up and re-opens it after changing the chart.
ChartCache &CachedChart();

// Copies the eight account fields of the code from the cached chart into AppContext, as
// LookupAccount does, and sets AccountKind to 3: the cached lookup does not tell leaves from
// parents. A code missing from the cache leaves the fields as they were; returns whether it was
// there.
bool LookupAccountCached(const QString &code);
