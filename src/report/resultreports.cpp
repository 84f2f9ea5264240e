#include "report/resultreports.h"

#include "causes/causes.h"
#include "report/reportitems.h"
#include "report/reportlayout.h"
#include "report/reportpainter.h"
#include "report/reporttext.h"
#include "report/storedrows.h"
#include "store/pagedrows.h"
#include "store/recordset.h"
#include "calendar/module7.h"

#include <QDateTime>

namespace ResultReports {

namespace {

// The maker's line under the result table and the web lines of the card.
const QString kMakerLine = QStringLiteral("تهیه شده با نرم‌افزار سنجش انگیزه شغلی کورول");
const QString kWebSite = QStringLiteral("www.quorvel.example");
const QString kShop = QStringLiteral("shop.quorvel.example");

using Report::Item;
using Report::SectionKind;

const QString kNazanin = QStringLiteral("B Nazanin");

// The table's column edges, right to left: each lies between a column's
// caption and box and those of the next column.
constexpr int kTableWidth = 6121;
constexpr int kColumnEdges[] = {kTableWidth, 5552, 5052, 4315, 3770, 3100, 2345, 750, 0};

// Vertical rules at every column edge, and horizontal ones at the given heights.
void addRules(Report::Section &section, std::initializer_list<int> across)
{
    for (int edge : kColumnEdges)
        section.items << Report::lineItem(QString(), QPoint(edge, 0), QPoint(edge, section.height));
    for (int y : across)
        section.items << Report::lineItem(QString(), QPoint(0, y), QPoint(kTableWidth, y));
}

// Writes text into a label the design itself made: a name that is not
// there is a fault of this file, stopped at once rather than printed blank.
void setLabel(Report::Design &design, const QString &section, const QString &label, const QString &text)
{
    Report::Section *band = design.section(section);
    Report::Item *item = band ? band->item(label) : nullptr;
    if (!item)
        qFatal("report %s has no label %s in %s", qPrintable(design.name), qPrintable(label), qPrintable(section));
    item->text = text;
}

Report::Design makeResultTable()
{
    Report::Design design;
    design.name = QStringLiteral("DataRPrint");
    design.title = QStringLiteral("نتایج آزمودنی‌ها");
    design.width = kTableWidth;

    Report::Section &header = design.section(SectionKind::ReportHeader);
    header.name = QStringLiteral("Section4");
    header.height = 1550;
    header.items << Report::fillItem(QStringLiteral("Image2"), QRect(0, 0, kTableWidth, 1550), QColor(0xC0, 0xC0, 0xC0))
                 << Report::labelItem(QStringLiteral("Label9"), QStringLiteral(" "), QRect(56, 113, 5991, 776),
                          QStringLiteral("B Titr"), 14.25, true)
                 << Report::labelItem(QStringLiteral("Label3"), ReportText::TableTitle, QRect(5, 1034, 6029, 510), kNazanin, 12, true);

    Report::Section &pageHeader = design.section(SectionKind::PageHeader);
    pageHeader.name = QStringLiteral("Section2");
    pageHeader.height = 570;
    pageHeader.items << Report::fillItem(QStringLiteral("Image1"), QRect(0, 0, kTableWidth, 570), QColor(0xE0, 0xE0, 0xE0));
    const struct {
        const char *caption;
        const QString &text;
        int left, width;
        const char *box;
        const char *field;
        int boxLeft, boxWidth;
    } columns[] = {
        {"Label1", ReportText::RowCaption, 5563, 525, "Text1", "Code", 5626, 495},
        {"Label2", ReportText::CodeCaption, 4996, 525, "txtCode", "Code", 5059, 480},
        {"Label4", ReportText::GroupCaption, 4339, 660, "txtGroup1", "Group", 4339, 707},
        {"Label5", ReportText::AgeCaption, 3811, 562, "txtScore", "Sen", 3818, 472},
        {"Label6", ReportText::GenderCaption, 3146, 600, "Text6", "Jens", 3146, 578},
        {"Label7", ReportText::MaritalCaption, 2474, 594, "Text5", "Taahol", 2378, 665},
        {"Label8", ReportText::EducationCaption, 786, 1540, "Text4", "Tahsil", 786, 1522},
        {"Label10", ReportText::ScoreCaption, 38, 675, "Text2", "Nomre", 38, 645},
    };
    Report::Section &detail = design.section(SectionKind::Detail);
    detail.name = QStringLiteral("Section1");
    detail.height = 385;
    for (const auto &column : columns) {
        pageHeader.items << Report::labelItem(QString::fromLatin1(column.caption), column.text, QRect(column.left, 40, column.width, 465),
                                  kNazanin, 9.75, true);
        detail.items << Report::fieldItem(QString::fromLatin1(column.box), QString::fromLatin1(column.field),
                                          QRect(column.boxLeft, 0, column.boxWidth, 385), kNazanin, 9.75, true);
    }
    addRules(pageHeader, {0, 570});
    addRules(detail, {385});

    // The row box shows the line's number in place of the code it is bound to.
    design.formats.insert(QStringLiteral("Text1"),
                          [](const QString &, qint64 rowIndex) { return QString::number(rowIndex + 1); });

    design.section(SectionKind::PageFooter).name = QStringLiteral("Section3");

    Report::Section &footer = design.section(SectionKind::ReportFooter);
    footer.name = QStringLiteral("Section5");
    footer.height = 706;
    const QString mitra = QStringLiteral("B Mitra");
    Item addressCaption = Report::labelItem(QStringLiteral("Label15"), ReportText::AddressCaption, QRect(5259, 0, 555, 360), mitra,
                                9.75, true, Qt::AlignRight | Qt::AlignVCenter);
    addressCaption.direction = Qt::LeftToRight;
    footer.items << addressCaption
                 << Report::labelItem(QStringLiteral("Label14"), QString(), QRect(220, 0, 5040, 360), mitra, 9.75, true,
                          Qt::AlignRight | Qt::AlignVCenter)
                 << Report::labelItem(QStringLiteral("Label16"), kMakerLine, QRect(252, 418, 4164, 288), mitra, 9.75, false,
                          Qt::AlignRight | Qt::AlignVCenter);

    // Under every page, in the margin below the table's own bands.
    design.pageMarkItem = Report::labelItem(QStringLiteral("PageMark"), QString(), QRect(0, 240, kTableWidth, 300), kNazanin, 9, false);
    design.pageMark = [](int page, int pageCount) {
        const QDateTime now = QDateTime::currentDateTime();
        return Report::persianDigits(ReportText::PageMark.arg(page + 1)
                                 .arg(pageCount)
                                 .arg(Module7::SolarDateText(now.date()), now.time().toString(QStringLiteral("HH:mm"))));
    };
    return design;
}

Report::Design makeResultCard()
{
    Report::Design design;
    design.name = QStringLiteral("DataR1");
    design.title = QStringLiteral("کارنامه آزمودنی");
    design.width = 6300;
    design.section(SectionKind::ReportHeader).name = QStringLiteral("Section2");
    design.section(SectionKind::PageHeader).name = QStringLiteral("Section3");
    design.section(SectionKind::PageFooter).name = QStringLiteral("Section4");
    Report::Section &footer = design.section(SectionKind::ReportFooter);
    footer.name = QStringLiteral("Section5");
    footer.height = 30;

    Report::Section &card = design.section(SectionKind::Detail);
    card.name = QStringLiteral("Section1");
    card.height = 5732;
    card.items << Report::fillItem(QStringLiteral("Image1"), QRect(0, 0, 6300, 5730), Qt::white, QStringLiteral(":/report/card.svg"))
               << Report::labelItem(QStringLiteral("Label1"), ReportText::CardTitle, QRect(2016, 126, 2280, 765),
                        QStringLiteral("Arabic Transparent"), 12, true);
    const struct {
        const char *caption;
        const QString &text;
        int top, left, width;
        const char *value;
        int valueTop, valueLeft, valueWidth, valueHeight;
        Qt::Alignment valueAlignment;
    } lines[] = {
        {"Label2", ReportText::CodeCaption, 1152, 5472, 576, "Label15", 1152, 4752, 669, 400, Qt::AlignCenter},
        {"Label7", ReportText::GroupCaption, 1152, 4176, 576, "Label16", 1152, 3600, 669, 400, Qt::AlignCenter},
        {"Label10", ReportText::AgeCaption, 1152, 3168, 576, "Label19", 1152, 2592, 669, 400, Qt::AlignCenter},
        {"Label6", ReportText::GenderCaption, 1152, 2160, 576, "Label20", 1152, 1584, 669, 400, Qt::AlignCenter},
        {"Label4", ReportText::MaritalCaption, 1152, 1152, 576, "Label21", 1152, 432, 813, 400, Qt::AlignCenter},
        {"Label3", ReportText::CardEducationCaption, 1728, 5040, 936, "Label22", 1728, 3024, 1965, 400,
         Qt::AlignRight | Qt::AlignVCenter},
        {"Label11", ReportText::CardResultCaption, 2520, 3213, 1008, "Label23", 2457, 2331, 825, 520, Qt::AlignCenter},
        {"Label9", ReportText::CardAddressCaption, 4409, 5228, 648, "Label29", 4409, 378, 4860, 810,
         Qt::AlignRight | Qt::AlignTop},
    };
    for (const auto &line : lines) {
        // The score is what the card is for: it stands out from the captions.
        const qreal valueSize = qstrcmp(line.value, "Label23") == 0 ? 16 : 11;
        card.items << Report::labelItem(QString::fromLatin1(line.caption), line.text, QRect(line.left, line.top, line.width, 400),
                            kNazanin, 11, true)
                   << Report::labelItem(QString::fromLatin1(line.value), QString(),
                            QRect(line.valueLeft, line.valueTop, line.valueWidth, line.valueHeight), kNazanin, valueSize,
                            true, line.valueAlignment);
    }
    card.items << Report::labelItem(QStringLiteral("Label24"), kWebSite, QRect(2160, 5185, 2010, 270), QStringLiteral("Arial"), 8,
                        false)
               << Report::labelItem(QStringLiteral("Label25"), kShop, QRect(2160, 5473, 2010, 250), QStringLiteral("Arial"), 8, false);
    return design;
}

}  // namespace

bool ReadClinic(Clinic *clinic, QString *error, StoreFailure *failure)
{
    RecordSet settings(QStringLiteral("Adodc1"), QStringLiteral("Theme"));
    if (!settings.open()) {
        *error = settings.errorText();
        if (failure)
            *failure = settings.failure();
        return false;
    }
    *clinic = {settings.fieldText(QStringLiteral("Name")), settings.fieldText(QStringLiteral("Adress"))};
    return true;
}

Report::Design DataRPrint(const Clinic &clinic)
{
    Report::Design design = makeResultTable();
    setLabel(design, QStringLiteral("Section4"), QStringLiteral("Label9"), clinic.name);
    setLabel(design, QStringLiteral("Section5"), QStringLiteral("Label14"), clinic.address);
    return design;
}

QStringList DataRPrintFields()
{
    static const QStringList fields = makeResultTable().fields();
    return fields;
}

Report::Design DataR1(const CardValues &values)
{
    Report::Design design = makeResultCard();
    const QString section = QStringLiteral("Section1");
    setLabel(design, section, QStringLiteral("Label15"), values.code);
    setLabel(design, section, QStringLiteral("Label16"), values.group);
    setLabel(design, section, QStringLiteral("Label19"), values.age);
    setLabel(design, section, QStringLiteral("Label20"), values.gender);
    setLabel(design, section, QStringLiteral("Label21"), values.marital);
    setLabel(design, section, QStringLiteral("Label22"), values.education);
    setLabel(design, section, QStringLiteral("Label23"), values.score);
    setLabel(design, section, QStringLiteral("Label29"), values.address);
    return design;
}

bool ReadRows(RecordSet &source, const QStringList &fields, Report::Rows *rows)
{
    Report::Rows read(fields);
    if (!source.readStoredRows(read.fields(), [&read](const QStringList &values) { read.append(values); }))
        return false;
    *rows = std::move(read);
    return true;
}

bool StreamRows(RecordSet &source, const QStringList &fields, std::shared_ptr<const Report::RowSource> *rows)
{
    std::unique_ptr<Store::PagedRows> paged;
    if (!source.pageStoredRows(fields, &paged))
        return false;
    *rows = std::make_shared<const StoredRows>(std::move(paged));
    return true;
}

bool ExportResultTable(const QString &pdfPath, const QString *group, QString *error)
{
    Clinic clinic;
    QString readError;
    StoreFailure failure = StoreFailure::Other;
    if (!ReadClinic(&clinic, &readError, &failure)) {
        *error = QStringLiteral("خواندن بانک اطلاعات ممکن نشد: %1")
                     .arg(Causes::storeFailureText(failure, readError, QStringLiteral("report")));
        return false;
    }
    RecordSet subjects(QStringLiteral("Adodc6"), QStringLiteral("ide"));
    std::shared_ptr<const Report::RowSource> rows;
    const bool read = (group ? subjects.filterBy(QStringLiteral("Group"), *group) : subjects.refresh())
                      && StreamRows(subjects, DataRPrintFields(), &rows);
    if (!read) {
        *error = QStringLiteral("خواندن بانک اطلاعات ممکن نشد: %1")
                     .arg(Causes::storeFailureText(subjects.failure(), subjects.errorText(), QStringLiteral("report")));
        return false;
    }
    const Report::Design table = DataRPrint(clinic);
    const Report::Layout layout(table, *rows);
    return Report::writePdf(layout, pdfPath, ReportText::TableTitle.trimmed(), error);
}

}  // namespace ResultReports
