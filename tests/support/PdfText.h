#pragma once

#include <QString>

namespace kltest {

// The text of a PDF file as pdftotext reads it (its layout kept); empty with a warning when it cannot.
QString pdfText(const QString& path);
// The number of pages, as pdfinfo gives it; 0 when it cannot.
int pdfPages(const QString& path);

// Copies the report project the build ships into a program folder.
bool copyReportProject(const QString& slozkaProgramu);

} // namespace kltest
