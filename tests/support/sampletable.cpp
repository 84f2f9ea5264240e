#include "support/sampletable.h"

using Report::Item;
using Report::SectionKind;

namespace SampleTable {

namespace {

Item textItem(Item::Kind kind, const QString &name, const QRect &rect, const QString &text,
              Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter)
{
    Item item;
    item.kind = kind;
    item.name = name;
    item.rect = rect;
    (kind == Item::Kind::Field ? item.field : item.text) = text;
    item.alignment = alignment;
    return item;
}

}  // namespace

Item label(const QString &name, const QRect &rect, const QString &text, Qt::Alignment alignment)
{
    return textItem(Item::Kind::Label, name, rect, text, alignment);
}

Item field(const QString &name, const QRect &rect, const QString &boundField)
{
    return textItem(Item::Kind::Field, name, rect, boundField);
}

Item line(const QString &name, const QRect &rect)
{
    Item item;
    item.kind = Item::Kind::Line;
    item.name = name;
    item.rect = rect;
    return item;
}

Report::Design tableDesign(int reportFooterHeight, int pageFooterHeight, int detailHeight)
{
    Report::Design design;
    design.name = QStringLiteral("Sample");
    design.width = 9000;
    for (int i = 0; i < 5; ++i)
        design.sections[i].name = QStringLiteral("Section%1").arg(i + 1);

    Report::Section &title = design.section(SectionKind::ReportHeader);
    title.height = 1000;
    title.items << label(QStringLiteral("Title"), {0, 100, 9000, 800}, QStringLiteral("گزارش نتایج آزمون انگیزش شغلی"),
                         Qt::AlignCenter);
    title.items.last().fontFamily = QStringLiteral("B Titr");
    title.items.last().pointSize = 16;
    title.items.last().bold = true;

    Report::Section &captions = design.section(SectionKind::PageHeader);
    captions.height = 500;
    captions.items << label(QStringLiteral("HeadRow"), {8000, 0, 1000, 450}, QStringLiteral("ردیف"))
                   << label(QStringLiteral("HeadCode"), {6000, 0, 1900, 450}, QStringLiteral("کد"))
                   << label(QStringLiteral("HeadName"), {0, 0, 5900, 450}, QStringLiteral("نام و نام خانوادگی"))
                   << line(QStringLiteral("HeadRule"), {0, 470, 9000, 0});
    for (int i = 0; i < 3; ++i)
        captions.items[i].bold = true;

    Report::Section &detail = design.section(SectionKind::Detail);
    detail.height = detailHeight;
    detail.items << field(QStringLiteral("txtRow"), {8000, 0, 1000, 380}, QStringLiteral("Code"))
                 << field(QStringLiteral("txtCode"), {6000, 0, 1900, 380}, QStringLiteral("Code"))
                 << field(QStringLiteral("txtName"), {0, 0, 5900, 380}, QStringLiteral("Name"));
    design.formats.insert(QStringLiteral("txtRow"),
                          [](const QString &, qint64 rowIndex) { return QString::number(rowIndex + 1); });

    Report::Section &foot = design.section(SectionKind::PageFooter);
    foot.height = pageFooterHeight;
    foot.items << label(QStringLiteral("PageNote"), {0, 50, 9000, 300}, QStringLiteral("پرسشنامه انگیزش شغلی"),
                        Qt::AlignCenter);

    Report::Section &closing = design.section(SectionKind::ReportFooter);
    closing.height = reportFooterHeight;
    closing.items << label(QStringLiteral("Closing"), {0, 100, 9000, 400}, QStringLiteral("پایان گزارش"));
    return design;
}

QString codeOf(qint64 row)
{
    return QString::number(1000 + row);
}

Report::Rows tableRows(qint64 count)
{
    Report::Rows rows({QStringLiteral("Code"), QStringLiteral("Name")});
    for (qint64 row = 0; row < count; ++row)
        rows.append({codeOf(row), QStringLiteral("سارا کاظمی %1").arg(row % 7)});
    return rows;
}

}  // namespace SampleTable
