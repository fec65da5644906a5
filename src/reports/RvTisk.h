#pragma once

// Laying a report out on pages: the title, the header lines, the table of the list's rows with its column
// titles repeated on every page, the totals after the last row and the footer at the foot of each page.

#include "RvProjekt.h"

#include <QPagedPaintDevice>
#include <QString>
#include <map>

namespace tk {
class Dataset;
}

namespace rv {

// What a report reads: the rows of the list, as it holds them, and further datasets whose current row is
// named by a prefix ("ParamP.PrOdH").
struct Data {
    const tk::Dataset* seznam = nullptr;
    std::map<QString, const tk::Dataset*> radky;
};

// Checks that every placeholder of the report names a field or a value the engine knows; throws
// ReportError naming the file, the report, the line and the placeholder.
void over(const Sestava& sestava, const Data& data, const QString& soubor);

// Lays the report out on the device (a printer or a PDF writer), setting its page layout first. Returns
// the number of pages.
int vykresli(const Sestava& sestava, const Data& data, QPagedPaintDevice& zarizeni);

// Saves the report as a PDF file; throws ReportError when the file cannot be written.
int ulozPdf(const Sestava& sestava, const Data& data, const QString& cesta);

// The text of one placeholder line for a row of the list (1-based; 0 for none), as printed.
QString vyplnit(const Sablona& sablona, const Sestava& sestava, const Data& data, int radek, int strana = 1,
                int stran = 1);

} // namespace rv
