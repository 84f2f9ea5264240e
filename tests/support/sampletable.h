#pragma once

#include "report/reportdesign.h"

// A sample report the engine's and the preview window's tests share.
namespace SampleTable {

Report::Item label(const QString &name, const QRect &rect, const QString &text,
                   Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
Report::Item field(const QString &name, const QRect &rect, const QString &boundField);
Report::Item line(const QString &name, const QRect &rect);

// A table of subjects: a title once, column captions on every page, one line
// per row with its running number, a note at the foot of every page and a
// closing line after the last row. Body 14570 twips high: 31 rows fit on the
// first page and 34 on each other page.
Report::Design tableDesign(int reportFooterHeight = 600, int pageFooterHeight = 400, int detailHeight = 400);

// Codes start at 1000, so a running number is never a code by chance.
QString codeOf(qint64 row);

// count rows of Code and Name.
Report::Rows tableRows(qint64 count);

}  // namespace SampleTable
