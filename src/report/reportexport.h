#pragma once

#include <QString>

class ReportRenderer;

// The rows of a report as a spreadsheet file. Until the workbook component exists this is a
// CSV file (UTF-8 with a byte-order mark, which spreadsheet programs read as Chinese text): one
// header line with the captions of the detail band's columns, then one line per row with the
// values of its fields, amounts as plain decimals.
namespace ReportExport {

bool toCsv(const ReportRenderer &renderer, const QString &path, QString *error = nullptr);

} // namespace ReportExport
