#pragma once

#include "store/storefailure.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// A printed report as data: five bands of placed items, in twips measured
// from the left edge of the report body. The layout step turns a design and
// its rows into pages; the paint step draws them.
namespace Report {

enum class SectionKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };

struct Item
{
    enum class Kind {
        Label,  // fixed text, or text set just before the report is shown
        Field,  // the value of a field of the current row (detail band only)
        Line,   // a rule from the rectangle's top-left to its bottom-right corner
        Image,  // a picture from the resources, or a band filled with colour
    };

    Kind kind = Kind::Label;
    QString name;          // Label9, txtCode, ...
    QRect rect;            // left, top, width, height in twips
    QString text;          // label text
    QString field;         // bound field of a field box
    QString fontFamily = QStringLiteral("B Nazanin");
    qreal pointSize = 9.75;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
    // Left to right for a caption stored with its colon first (":آدرس"), so
    // that the colon stands after the word as Persian is read.
    Qt::LayoutDirection direction = Qt::RightToLeft;
    QColor colour = Qt::black;  // text, rule, or the fill of a picture-less image
    QString picture;            // resource path of an image
    QImage image;               // a picture drawn by the program itself; before picture when set
};

struct Section
{
    QString name;     // Section1, ...
    int height = 0;   // twips; an empty band has none
    QList<Item> items;

    Item *item(const QString &name);
};

struct Design
{
    QString name;   // DataRPrint
    QString title;  // what the operator calls it: the preview's title and the proposed PDF name
    int width = 0;  // twips
    std::array<Section, 5> sections;

    // Turns a field box's value into the text shown; rowIndex counts the
    // detail lines of this layout from 0. Keyed by item name.
    using FormatHook = std::function<QString(const QString &value, qint64 rowIndex)>;
    QHash<QString, FormatHook> formats;

    // A line in the margin under the body of every page, written when the
    // page is laid out (page counts from 0); none when unset.
    using PageMarkHook = std::function<QString(int page, int pageCount)>;
    PageMarkHook pageMark;
    Item pageMarkItem;

    QString displayName() const { return title.isEmpty() ? name : title; }

    Section &section(SectionKind kind) { return sections[static_cast<int>(kind)]; }
    const Section &section(SectionKind kind) const { return sections[static_cast<int>(kind)]; }
    // The band with that name, or nullptr.
    Section *section(const QString &name);
    // The fields the detail band shows, each once.
    QStringList fields() const;
};

// Where a report's detail lines come from: a number of rows, and the value
// of a field of any of them (empty for a field or row it does not have).
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual qint64 count() const = 0;
    virtual QString value(qint64 row, const QString &field) const = 0;
    // Why a value could not be read, once one could not; empty while all went well.
    virtual QString readError() const { return QString(); }
    // And what kind of failure it was.
    virtual StoreFailure readFailure() const { return StoreFailure::None; }
};

// Rows held in memory, kept packed so that many thousands of them stay small.
class Rows : public RowSource
{
public:
    explicit Rows(const QStringList &fields = {});

    const QStringList &fields() const { return m_fields; }
    qint64 count() const override;
    void append(const QStringList &values);  // one value per field, in fields() order
    QString value(qint64 row, const QString &field) const override;

private:
    QStringList m_fields;
    QString m_text;              // every value of every row, one after another
    QList<qint64> m_ends;        // where each value ends in m_text
    qint64 m_count = 0;          // rows appended, also when there are no fields
};

}  // namespace Report
