#pragma once

#include "common/result.h"

#include <QSqlDatabase>

// The one-time initialisation of a new account set (帐套基本信息) and the settings it fixes.
namespace AccountSetSetup {

// A set still holding this opening year has not been initialised.
constexpr int UninitialisedYear = 1900;

struct Settings
{
    int year = 0;
    int month = 1;
    int levels[6] = {4, 3, 2, 2, 2, 2}; // code length of each account level
    bool sameReviewer = false;  // the maker of a voucher may also review it
    bool editOthers = false;    // an operator may change vouchers made by another
    bool importAgain = false;   // imported vouchers may be imported again (stored only)
};

struct Info
{
    Settings settings;
    int currentYear = 0;
    int currentMonth = 0;
};

bool isInitialised(const QSqlDatabase &db);
Info read(const QSqlDatabase &db);

// Fixes the opening period, the code levels and the rules, and moves the template's balance
// rows to the opening year, in one transaction. A set is initialised exactly once; unticked
// rules keep the template's values.
Status initialise(const QSqlDatabase &db, const Settings &settings);

// The three rules may be changed later by the administrator (帐套信息).
void saveRules(const QSqlDatabase &db, bool sameReviewer, bool editOthers, bool importAgain);

// "4-3-2-2-2-2" → the six lengths; nothing when the text is not six such numbers.
std::optional<Settings> parseLevels(const QString &text, Settings base = {});

} // namespace AccountSetSetup
