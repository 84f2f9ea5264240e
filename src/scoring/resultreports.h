#pragma once

#include "scoring/reportdesign.h"

class RecordSet;

// The two printed reports of results. Each is one shared design for the
// whole run: the texts a print writes into its labels stay until the next
// print writes them again.
namespace ResultReports {

// The result table: one line per subject, numbered from 1 in each layout.
Report::Design &DataRPrint();
// The result card of one subject.
Report::Design &DataR1();

// Sets the text of a label in a band of design; false when either is missing.
bool SetLabel(Report::Design &design, const QString &section, const QString &label, const QString &text);

// The stored rows of source (a record set over ide) with the given fields.
// False with the store's reason on source.
bool ReadRows(RecordSet &source, const QStringList &fields, Report::Rows *rows);

// Writes the result table of the stored subjects (of one group when group is
// not null), with the clinic's name and address, to a PDF file without any
// window. Only reads the store. False with the reason in *error.
bool ExportResultTable(const QString &pdfPath, const QString *group, QString *error);

}  // namespace ResultReports
