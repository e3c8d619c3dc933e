#pragma once

#include <QString>
#include <QtGlobal>

// The process-wide state that every screen shares: the open account set, the opening and
// current period, the code level lengths, the operator, and the fields through which a caller
// hands parameters to a modal dialog and reads its results. One GUI thread uses it; all fields
// start zero or empty.
struct AppContextRecord
{
    QString ConnPrefix; // connection string without the database name, ends in "Initial Catalog="

    quint16 StartYear = 0;
    quint16 StartMonth = 0;
    quint16 CurYear = 0;
    quint16 CurMonth = 0;
    int CurPeriod = 0; // CurYear * 12 + CurMonth
    quint16 PasswordKey = 0; // key of scrambled passwords of earlier versions
    int LevelLen1 = 0;
    int LevelLen2 = 0;
    int LevelLen3 = 0;
    int LevelLen4 = 0;
    int LevelLen5 = 0;
    int LevelLen6 = 0;

    QString OperatorName;
    int OperatorId = 0;
    QString SetCode;
    QString SetName;
    int SameReviewer = 0;
    int EditOthers = 0;
    QString CanEnterVouchers;

    // Hand-over fields of modal dialogs.
    QString DialogResult; // "1" done, "0" cancelled or failed; the caller sets "0" first
    int FormMode = 0;
    QString PickedCode;
    QString PickedName;
    int DialogValue = 0;

    // Filled by the account, department and project lookups; read right after the call.
    quint8 AccountKind = 0; // 1 leaf, 2 has sub-codes, 3 not found
    QString AccountName;
    quint8 AccountCategory = 0;
    quint8 AccountDirection = 0;
    quint8 AccountLevel = 0;
    quint8 AccountDeptFlag = 0;
    quint8 AccountProjFlag = 0;
    quint8 AccountFxFlag = 0;
    QString AccountCurrency;

    quint16 OpenVoucherYear = 0;
    quint16 OpenVoucherMonth = 0;
    quint16 OpenVoucherNo = 0;

    int PrintKind = 0;
    QString PrintTemplate;
    QString PrintText1, PrintText2, PrintText3, PrintText4, PrintText5;
    QString PrintText6, PrintText7, PrintText8, PrintText9, PrintText10;

    QString TempDir;

    int levelLength(int level) const;
};

extern AppContextRecord AppContext;
