#pragma once

#include <memory>

#include "report/reportdesign.h"
#include "store/storefailure.h"

class RecordSet;

// The two printed reports of results. Every print builds its own design
// from the values it prints; nothing of one print stays for the next.
namespace ResultReports {

// The clinic as the reports name it.
struct Clinic {
    QString name;
    QString address;
};

// The clinic as the settings row holds it now. False with the store's words
// in *error and, when asked, the kind of failure in *failure.
bool ReadClinic(Clinic *clinic, QString *error, StoreFailure *failure = nullptr);

// The result table: one line per subject, numbered from 1 in each layout,
// under the clinic's name and above its address.
Report::Design DataRPrint(const Clinic &clinic);
// The fields of ide the table's lines show.
QStringList DataRPrintFields();

// What the result card of one subject shows.
struct CardValues {
    QString code;
    QString group;
    QString age;
    QString gender;
    QString marital;
    QString education;
    QString score;
    QString address;
};
Report::Design DataR1(const CardValues &values);

// The stored rows of source (a record set over ide) with the given fields.
// False with the store's reason on source.
bool ReadRows(RecordSet &source, const QStringList &fields, Report::Rows *rows);

// The stored rows of source with the given fields, streamed: counted now,
// read as they are shown or printed. False with the store's reason on source.
bool StreamRows(RecordSet &source, const QStringList &fields, std::shared_ptr<const Report::RowSource> *rows);

// Writes the result table of the stored subjects (of one group when group is
// not null), with the clinic's name and address, to a PDF file without any
// window. Only reads the store. False with the reason in *error.
bool ExportResultTable(const QString &pdfPath, const QString *group, QString *error);

}  // namespace ResultReports
