#pragma once

#include "report/reporttemplate.h"

#include <QString>
#include <QStringList>

// Helpers of the report tests: the shipped templates and what poppler reads from a PDF.
namespace ReportTestSupport {

// The template families the screens print with.
const QStringList &families();

// The templates of a family as shipped (":/lanx/db/reports/<family>.json").
QList<ReportTemplate> shippedTemplates(const QString &family);

// Number of pages (pdfinfo), or -1.
int pdfPageCount(const QString &path);
// The text of pages first..last (pdftotext -layout).
QString pdfText(const QString &path, int first, int last);

} // namespace ReportTestSupport
