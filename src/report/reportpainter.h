#pragma once

#include "report/reportlayout.h"

class QPainter;
class QPagedPaintDevice;

namespace Report {

// Draws one page with the painter's coordinates in twips from the page's
// top-left corner (the caller scales); right to left, Persian shaped.
void paintPage(QPainter &painter, const Page &page);

// Draws pages first..last (0-based, inclusive; -1 for the last page) on a
// printer or PDF writer set to A4 portrait. A printer must be set to full
// page first. False when the device cannot be painted on.
bool printPages(const Layout &layout, QPagedPaintDevice &device, int first = 0, int last = -1);

// Writes the whole report to a PDF file; false with the reason in *error.
bool writePdf(const Layout &layout, const QString &path, const QString &title, QString *error);

}  // namespace Report
