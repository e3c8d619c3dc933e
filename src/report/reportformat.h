#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class Money;

// Display formats of report fields, after the formats the Parts name:
// - number patterns with '#', '0', ',' and '.', in up to three sections "positive;negative;zero"
//   ("##,###.00;-##,###.00;#;#" is the amount format: grouped, two decimals, empty for zero);
//   amounts up to two decimals are formatted exactly through Money;
// - date and time patterns of Qt ("yyyy-MM-dd", "yyyy年MM月dd日", "yyyy-MM-dd hh:mm");
// - "check": "√" for a set flag; "rmb": the amount in Chinese capitals (人民币大写).
// Without a format dates show as yyyy-MM-dd, the rest as it comes.
namespace ReportFormat {

inline const QString Amount = QStringLiteral("##,###.00;-##,###.00;#;#");
inline const QString Check = QStringLiteral("check");
inline const QString Capitals = QStringLiteral("rmb");

QString apply(const QVariant &value, const QString &format);

// True for number patterns (and "rmb"): such fields are right-aligned unless told otherwise.
bool isNumeric(const QString &format);
bool isDate(const QString &format);

// 壹仟贰佰叁拾肆元伍角陆分, 零元整 for zero, 负... for negative amounts.
QString capitals(Money amount);

// The formats the designer offers.
QStringList suggestions();

} // namespace ReportFormat
