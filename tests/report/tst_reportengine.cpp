#include "calendar/module7.h"
#include "causes/causes.h"
#include "report/reportdesign.h"
#include "report/reportlayout.h"
#include "report/reportpainter.h"
#include "report/reporttext.h"
#include "report/resultreports.h"
#include "support/sampletable.h"
#include "ui/fonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using Report::Item;
using Report::SectionKind;
using SampleTable::codeOf;
using SampleTable::field;
using SampleTable::label;
using SampleTable::tableDesign;
using SampleTable::tableRows;

namespace {

constexpr int kBodyTop = Report::kPageMargin;
constexpr int kBodyBottom = Report::kPageHeight - Report::kPageMargin;

SectionKind sectionOf(const Report::Design &design, const Item *item)
{
    for (int kind = 0; kind < 5; ++kind)
        for (const Item &candidate : design.sections[kind].items)
            if (&candidate == item)
                return static_cast<SectionKind>(kind);
    qFatal("placed item from outside the design");
}

// Every placed item of one band kind on a page.
QList<Report::PlacedItem> placedIn(const Report::Design &design, const Report::Page &page, SectionKind kind)
{
    QList<Report::PlacedItem> found;
    for (const Report::PlacedItem &placed : page.items)
        if (sectionOf(design, placed.item) == kind)
            found << placed;
    return found;
}

// The top of the band a placed item belongs to.
int bandTop(const Report::PlacedItem &placed)
{
    return placed.rect.top() - placed.item->rect.top();
}

QImage renderPage(const Report::Page &page, int dotsPerInch)
{
    const qreal scale = dotsPerInch / 1440.0;
    QImage image(qRound(Report::kPageWidth * scale), qRound(Report::kPageHeight * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    Report::paintPage(painter, page);
    return image;
}

// Bounding box of the non-white pixels inside area.
QRect inkIn(const QImage &image, const QRect &area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

}  // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void rowsKeepEveryValueAsAppended()
    {
        Report::Rows rows({QStringLiteral("Code"), QStringLiteral("FName"), QStringLiteral("Sen")});
        const QList<QStringList> table{
            {QStringLiteral("12"), QStringLiteral("سارا"), QStringLiteral("29")},
            {QString(), QString(), QString()},
            {QStringLiteral("7"), QString(), QStringLiteral("کُد ۱۲ و «نیم‌فاصله»")},
            {QString(), QStringLiteral("x"), QString()},
        };
        for (const QStringList &values : table)
            rows.append(values);
        rows.append({QStringLiteral("short")});  // missing values are empty
        rows.append({QStringLiteral("8"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("extra")});

        QCOMPARE(rows.count(), 6);
        for (int row = 0; row < table.size(); ++row)
            for (int column = 0; column < 3; ++column)
                QCOMPARE(rows.value(row, rows.fields().at(column)), table[row][column]);
        QCOMPARE(rows.value(4, QStringLiteral("Code")), QStringLiteral("short"));
        QCOMPARE(rows.value(4, QStringLiteral("Sen")), QString());
        QCOMPARE(rows.value(5, QStringLiteral("Sen")), QStringLiteral("b"));
        // Field names in any case; unknown fields and rows give empty text.
        QCOMPARE(rows.value(0, QStringLiteral("fname")), QStringLiteral("سارا"));
        QCOMPARE(rows.value(0, QStringLiteral("Missing")), QString());
        QCOMPARE(rows.value(-1, QStringLiteral("Code")), QString());
        QCOMPARE(rows.value(6, QStringLiteral("Code")), QString());

        Report::Rows noFields;
        noFields.append({});
        noFields.append({});
        QCOMPARE(noFields.count(), 2);
    }

    void designFindsItsBandsItemsAndFields()
    {
        Report::Design design = tableDesign();
        design.section(SectionKind::Detail).items << field(QStringLiteral("txtAgain"), {}, QStringLiteral("code"));
        design.section(SectionKind::PageHeader).items << field(QStringLiteral("txtHead"), {}, QStringLiteral("Age"));
        QCOMPARE(design.fields(), (QStringList{QStringLiteral("Code"), QStringLiteral("Name")}));
        QCOMPARE(design.section(QStringLiteral("section3")), &design.section(SectionKind::Detail));
        QCOMPARE(design.section(QStringLiteral("Section9")), nullptr);
        Report::Section &detail = design.section(SectionKind::Detail);
        QCOMPARE(detail.item(QStringLiteral("TXTNAME")), &detail.items[2]);
        QCOMPARE(detail.item(QStringLiteral("Title")), nullptr);
    }

    void layoutPlacesEveryBand_data()
    {
        QTest::addColumn<qint64>("rowCount");
        QTest::addColumn<int>("pageFooterHeight");
        QTest::addColumn<int>("reportFooterHeight");
        QTest::addColumn<int>("pages");
        QTest::newRow("no rows") << qint64(0) << 400 << 600 << 1;
        QTest::newRow("a few rows") << qint64(5) << 400 << 600 << 1;
        QTest::newRow("first page full: closing line on a page of its own") << qint64(31) << 400 << 600 << 2;
        QTest::newRow("closing line after the last rows") << qint64(40) << 400 << 600 << 2;
        QTest::newRow("second page full") << qint64(65) << 400 << 600 << 3;
        QTest::newRow("no closing band") << qint64(31) << 400 << 0 << 1;
        QTest::newRow("no page footer: one row more") << qint64(32) << 0 << 600 << 2;
        QTest::newRow("ten thousand rows") << qint64(10000) << 400 << 600 << 295;
    }

    void layoutPlacesEveryBand()
    {
        QFETCH(qint64, rowCount);
        QFETCH(int, pageFooterHeight);
        QFETCH(int, reportFooterHeight);
        QFETCH(int, pages);
        const Report::Design design = tableDesign(reportFooterHeight, pageFooterHeight);
        const Report::Rows rows = tableRows(rowCount);
        const Report::Layout layout(design, rows);
        QCOMPARE(layout.pageCount(), pages);

        const int bodyLeft = (Report::kPageWidth - design.width) / 2;
        const int detailBottom = kBodyBottom - pageFooterHeight;
        const int detailHeight = design.section(SectionKind::Detail).height;
        const auto itemsOf = [&](SectionKind kind) { return design.section(kind).items.size(); };
        QStringList numbers;
        int closingPage = -1;
        for (int index = 0; index < layout.pageCount(); ++index) {
            const Report::Page page = layout.page(index);
            for (const Report::PlacedItem &placed : page.items)
                QCOMPARE(placed.rect.left(), bodyLeft + placed.item->rect.left());

            const auto titles = placedIn(design, page, SectionKind::ReportHeader);
            QCOMPARE(titles.size(), index == 0 ? itemsOf(SectionKind::ReportHeader) : 0);
            if (index == 0)
                QCOMPARE(bandTop(titles.first()), kBodyTop);
            const auto captions = placedIn(design, page, SectionKind::PageHeader);
            QCOMPARE(captions.size(), itemsOf(SectionKind::PageHeader));
            const int captionsTop = kBodyTop + (index == 0 ? design.section(SectionKind::ReportHeader).height : 0);
            for (const Report::PlacedItem &placed : captions)
                QCOMPARE(bandTop(placed), captionsTop);

            // Detail lines follow the captions one under another, inside the body.
            int nextTop = captionsTop + design.section(SectionKind::PageHeader).height;
            qint64 row = layout.firstRow(index);
            const auto lines = placedIn(design, page, SectionKind::Detail);
            QCOMPARE(lines.size(), layout.rowCountOn(index) * itemsOf(SectionKind::Detail));
            for (const Report::PlacedItem &placed : lines) {
                if (placed.item->name == QLatin1String("txtRow")) {
                    QCOMPARE(bandTop(placed), nextTop);
                    QVERIFY2(nextTop + detailHeight <= detailBottom, qPrintable(QStringLiteral("page %1").arg(index + 1)));
                    nextTop += detailHeight;
                    numbers << placed.text;
                } else if (placed.item->name == QLatin1String("txtCode")) {
                    QCOMPARE(placed.text, codeOf(row++));
                }
            }

            const auto notes = placedIn(design, page, SectionKind::PageFooter);
            QCOMPARE(notes.size(), pageFooterHeight > 0 ? itemsOf(SectionKind::PageFooter) : 0);
            for (const Report::PlacedItem &placed : notes)
                QCOMPARE(bandTop(placed), detailBottom);

            const auto closing = placedIn(design, page, SectionKind::ReportFooter);
            if (!closing.isEmpty()) {
                QCOMPARE(closingPage, -1);
                closingPage = index;
                QCOMPARE(bandTop(closing.first()), nextTop);
                QVERIFY(nextTop + reportFooterHeight <= detailBottom);
            }
        }
        QCOMPARE(closingPage, reportFooterHeight > 0 ? layout.pageCount() - 1 : -1);

        QStringList expected;
        for (qint64 row = 0; row < rowCount; ++row)
            expected << QString::number(row + 1);
        QCOMPARE(numbers, expected);
    }

    // The running number is the row's place in this layout, whichever page is
    // asked for first, and starts again with every layout.
    void runningNumberBelongsToTheLayout()
    {
        const Report::Design design = tableDesign();
        const Report::Rows rows = tableRows(100);
        const auto firstNumber = [&](const Report::Layout &layout, int page) {
            for (const Report::PlacedItem &placed : layout.page(page).items)
                if (placed.item->name == QLatin1String("txtRow"))
                    return placed.text;
            return QString();
        };
        const Report::Layout first(design, rows);
        QCOMPARE(firstNumber(first, 2), QStringLiteral("66"));
        QCOMPARE(firstNumber(first, 0), QStringLiteral("1"));
        const Report::Layout second(design, rows);
        QCOMPARE(firstNumber(second, 1), QStringLiteral("32"));
        QCOMPARE(firstNumber(second, 0), QStringLiteral("1"));
    }

    void detailTallerThanThePagePrintsOneRowAPage()
    {
        const Report::Design design = tableDesign(600, 400, 20000);
        const Report::Rows rows = tableRows(3);
        const Report::Layout layout(design, rows);
        QCOMPARE(layout.pageCount(), 4);  // and the closing line on a page of its own
        for (int page = 0; page < 3; ++page) {
            QCOMPARE(layout.firstRow(page), page);
            QCOMPARE(layout.rowCountOn(page), 1);
        }
        QCOMPARE(layout.rowCountOn(3), 0);
        QCOMPARE(placedIn(design, layout.page(3), SectionKind::ReportFooter).size(), 1);
    }

    // Left and right are the paper's edges in right-to-left text, and the
    // text's size on paper does not depend on the device's resolution.
    void paintedTextKeepsItsEdgeAndSize()
    {
        Report::Design design;
        design.width = 9000;
        Report::Section &band = design.section(SectionKind::ReportHeader);
        band.height = 3000;
        band.items << label(QStringLiteral("Left"), {0, 0, 9000, 1000}, QStringLiteral("کد ۱۲"), Qt::AlignLeft | Qt::AlignVCenter)
                   << label(QStringLiteral("Right"), {0, 1000, 9000, 1000}, QStringLiteral("کد ۱۲"),
                            Qt::AlignRight | Qt::AlignVCenter);
        band.items[0].pointSize = band.items[1].pointSize = 16;
        Item fill;
        fill.kind = Item::Kind::Image;
        fill.rect = {0, 2200, 9000, 600};
        fill.colour = Qt::red;
        band.items << fill;
        const Report::Rows none;
        const Report::Layout layout(design, none);
        const Report::Page page = layout.page(0);

        const auto bandRect = [](int dpi, int top) {
            const qreal s = dpi / 1440.0;
            return QRect(qRound(1453 * s), qRound((kBodyTop + top) * s), qRound(9000 * s), qRound(1000 * s));
        };
        const QImage screen = renderPage(page, 96);
        const QRect left = inkIn(screen, bandRect(96, 0));
        const QRect right = inkIn(screen, bandRect(96, 1000));
        const int middle = bandRect(96, 0).center().x();
        QVERIFY2(left.right() < middle, "left-aligned text is not at the left edge");
        QVERIFY2(right.left() > middle, "right-aligned text is not at the right edge");
        // 16 points is about 21 pixels at 96 dots per inch.
        QVERIFY2(left.height() >= 8 && left.height() <= 32, qPrintable(QString::number(left.height())));

        const QImage print = renderPage(page, 288);
        const QRect printed = inkIn(print, bandRect(288, 0));
        QVERIFY(qAbs(printed.width() - 3 * left.width()) <= left.width() / 5);
        QCOMPARE(QColor(screen.pixel(bandRect(96, 2200).center().x(), qRound((kBodyTop + 2500) / 15.0))), QColor(Qt::red));
    }

    // The address caption is stored colon first; printed, the colon must
    // follow the word as Persian reads, on its left.
    void tableAddressCaptionReadsWordThenColon()
    {
        const Report::Design table = ResultReports::DataRPrint(ResultReports::Clinic{});
        const Item *stored = nullptr;
        for (const Item &item : table.section(SectionKind::ReportFooter).items)
            if (item.name == u"Label15")
                stored = &item;
        QVERIFY(stored);
        QCOMPARE(stored->text, ReportText::AddressCaption);
        const auto render = [&](const QString &text) {
            Report::Design design;
            design.width = table.width;
            design.section(SectionKind::ReportHeader).height = 1000;
            Item caption = *stored;
            caption.text = text;
            design.section(SectionKind::ReportHeader).items << caption;
            const Report::Rows none;
            return renderPage(Report::Layout(design, none).page(0), 288);
        };
        const QImage whole = render(stored->text);
        const QImage word = render(stored->text.mid(1));
        const QRect band(0, 0, whole.width(), qRound((kBodyTop + 1000) * 0.2));
        const QRect wordInk = inkIn(word, band);
        const QRect wholeInk = inkIn(whole, band);
        QVERIFY(!wordInk.isEmpty());
        // The word stands where it stands alone, at the right edge, and the
        // colon's ink is all on its left.
        QCOMPARE(whole.copy(wordInk), word.copy(wordInk));
        QVERIFY2(wholeInk.left() < wordInk.left() - 2 && wholeInk.right() == wordInk.right(),
                 "the colon is not on the word's left");
    }

    // The score is what the card is for: its digits print taller than
    // the other values' digits.
    void cardScoreStandsOut()
    {
        ResultReports::CardValues values;
        values.code = QStringLiteral("1024");
        values.score = QStringLiteral("59");
        const Report::Design card = ResultReports::DataR1(values);
        Report::Rows rows;
        rows.append({});
        const Report::Layout layout(card, rows);
        const Report::Page page = layout.page(0);
        const QImage printed = renderPage(page, 288);
        QHash<QString, int> inkHeights;
        for (const Report::PlacedItem &placed : page.items)
            if (placed.item->name == u"Label15" || placed.item->name == u"Label23") {
                const qreal s = 288 / 1440.0;
                const QRect area(qRound(placed.rect.left() * s), qRound(placed.rect.top() * s),
                                 qRound(placed.rect.width() * s), qRound(placed.rect.height() * s));
                // Only the digits: the card's background is pale, the text black.
                QRect ink;
                for (int y = area.top(); y <= area.bottom(); ++y)
                    for (int x = area.left(); x <= area.right(); ++x)
                        if (qGray(printed.pixel(x, y)) < 100)
                            ink |= QRect(x, y, 1, 1);
                inkHeights.insert(placed.item->name, ink.height());
            }
        QVERIFY(inkHeights.value(QStringLiteral("Label15")) > 0);
        QVERIFY2(inkHeights.value(QStringLiteral("Label23")) >= 1.3 * inkHeights.value(QStringLiteral("Label15")),
                 qPrintable(QStringLiteral("score %1 px, code %2 px")
                                .arg(inkHeights.value(QStringLiteral("Label23")))
                                .arg(inkHeights.value(QStringLiteral("Label15")))));
    }

    // A code longer than its column (seven digits and more) is printed whole,
    // in a smaller face, inside its box: nothing of it runs over the rules.
    void longCodeIsPrintedWholeInsideItsBox_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("four digits") << QStringLiteral("1024");
        QTest::newRow("seven digits") << QStringLiteral("1234567");
        QTest::newRow("ten digits") << QStringLiteral("9876543210");
    }
    void longCodeIsPrintedWholeInsideItsBox()
    {
        QFETCH(QString, code);
        const Report::Design table = ResultReports::DataRPrint(ResultReports::Clinic{});
        const auto render = [&](const QString &value, QRect *box) {
            Report::Rows rows(ResultReports::DataRPrintFields());
            QStringList values;
            for (const QString &field : ResultReports::DataRPrintFields())
                values << (field == u"Code" ? value : QString());
            rows.append(values);
            const Report::Layout layout(table, rows);
            const Report::Page page = layout.page(0);
            for (const Report::PlacedItem &placed : page.items)
                if (placed.item->name == u"txtCode") {
                    const qreal s = 288 / 1440.0;
                    *box = QRect(qRound(placed.rect.left() * s), qRound(placed.rect.top() * s), qRound(placed.rect.width() * s),
                                 qRound(placed.rect.height() * s));
                }
            return renderPage(page, 288);
        };
        QRect box;
        const QImage printed = render(code, &box);
        const QImage blank = render(QString(), &box);
        QVERIFY(box.isValid());
        QRect ink;
        for (int y = 0; y < printed.height(); ++y)
            for (int x = 0; x < printed.width(); ++x)
                if (printed.pixel(x, y) != blank.pixel(x, y))
                    ink |= QRect(x, y, 1, 1);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(box.contains(ink), qPrintable(QStringLiteral("ink %1,%2 %3x%4 outside the box %5,%6 %7x%8")
                                                   .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
                                                   .arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
        // Every digit is there, on one line: the printed ink has the shape of
        // the whole code printed with room to spare (cut, it would be
        // narrower for its height; wrapped, taller for its width).
        const Item *field = nullptr;
        for (const Item &item : table.section(SectionKind::Detail).items)
            if (item.name == u"txtCode")
                field = &item;
        QVERIFY(field);
        Report::Design wide;
        wide.width = 9000;
        wide.section(SectionKind::ReportHeader).height = 1000;
        Item alone = *field;
        alone.kind = Item::Kind::Label;
        alone.text = code;
        alone.rect = QRect(0, 0, 9000, 1000);
        wide.section(SectionKind::ReportHeader).items << alone;
        const Report::Rows none;
        const QImage free = renderPage(Report::Layout(wide, none).page(0), 288);
        const QRect natural = inkIn(free, QRect(0, 0, free.width(), qRound((kBodyTop + 1000) * 0.2)));
        QVERIFY(!natural.isEmpty());
        const double shape = double(ink.width()) / ink.height();
        const double naturalShape = double(natural.width()) / natural.height();
        QVERIFY2(shape > naturalShape * 0.85 && shape < naturalShape * 1.15,
                 qPrintable(QStringLiteral("printed %1x%2, whole %3x%4").arg(ink.width()).arg(ink.height())
                                .arg(natural.width()).arg(natural.height())));
    }

    // Every page of the result table carries its number among all pages and
    // the date and time of printing, in the margin under the table's own bands.
    void everyTablePageIsNumberedAndDated()
    {
        const Report::Design design = ResultReports::DataRPrint(ResultReports::Clinic{});
        Report::Rows rows(ResultReports::DataRPrintFields());
        for (int i = 0; i < 70; ++i) {
            QStringList values;
            for (const QString &field : ResultReports::DataRPrintFields())
                values << (field == u"Code" ? QString::number(1000 + i) : QStringLiteral("x"));
            rows.append(values);
        }
        const Report::Layout layout(design, rows);
        QVERIFY(layout.pageCount() >= 3);
        const auto persian = [](QString text) {
            for (QChar &c : text)
                if (c.isDigit())
                    c = QChar(0x06F0 + c.digitValue());
            return text;
        };
        const QString today = persian(Module7::SolarDateText(QDate::currentDate()));
        for (int index = 0; index < layout.pageCount(); ++index) {
            QStringList marks;
            int lowestBand = 0;
            for (const Report::PlacedItem &placed : layout.page(index).items) {
                if (placed.item->name == u"PageMark") {
                    marks << placed.text;
                    QVERIFY(placed.rect.top() >= kBodyBottom && placed.rect.bottom() < Report::kPageHeight);
                } else {
                    lowestBand = qMax(lowestBand, placed.rect.bottom());
                }
            }
            QCOMPARE(marks.size(), 1);
            QVERIFY2(marks.first().startsWith(persian(QStringLiteral("صفحه %1 از %2").arg(index + 1).arg(layout.pageCount()))),
                     qPrintable(marks.first()));
            QVERIFY2(marks.first().contains(today), qPrintable(marks.first()));
            QVERIFY(lowestBand <= kBodyBottom);
        }
    }

    void pdfHoldsEveryPageAndRow()
    {
        QTemporaryDir folder;
        const Report::Design design = tableDesign();
        const Report::Rows rows = tableRows(40);
        const Report::Layout layout(design, rows);
        const QString path = folder.filePath(QStringLiteral("results.pdf"));
        QString error;
        QVERIFY2(Report::writePdf(layout, path, QStringLiteral("نتایج"), &error), qPrintable(error));

        QPdfDocument pdf;
        QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), layout.pageCount());
        QCOMPARE(pdf.metaData(QPdfDocument::MetaDataField::Title).toString(), QStringLiteral("نتایج"));
        const QSizeF a4 = pdf.pagePointSize(0);
        QVERIFY(qAbs(a4.width() - 595.3) < 1 && qAbs(a4.height() - 841.9) < 1);
        const QString firstPage = pdf.getAllText(0).text();
        QVERIFY(firstPage.contains(codeOf(0)));
        QVERIFY(firstPage.contains(codeOf(30)));
        QVERIFY(!firstPage.contains(codeOf(31)));
        QVERIFY(pdf.getAllText(1).text().contains(codeOf(39)));
    }

    // A saved report is its owner's alone, whatever the umask and whatever
    // mode the file it replaces had.
    void pdfIsPrivate()
    {
        QTemporaryDir folder;
        const Report::Design design = tableDesign();
        const Report::Rows rows = tableRows(3);
        const Report::Layout layout(design, rows);
        const QString path = folder.filePath(QStringLiteral("results.pdf"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        }
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther
                                                | QFile::WriteOther));
        const mode_t previous = ::umask(0);
        QString error;
        const bool written = Report::writePdf(layout, path, QStringLiteral("Sample"), &error);
        ::umask(previous);
        QVERIFY2(written, qPrintable(error));
        QCOMPARE(QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("results.pdf")});
    }

    // Rows streamed from the store whose read failed midway: no file, and the cause
    // in Persian; the driver's words go to the error output.
    void pdfOfRowsThatFailedNamesTheCauseOnly_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("cause");
        QTest::newRow("a lost server") << int(StoreFailure::Unreachable)
                                       << QStringLiteral("server closed the connection unexpectedly")
                                       << int(StoreFailure::Unreachable);
        QTest::newRow("a full disk told by words only") << int(StoreFailure::Other)
                                                        << QStringLiteral("database or disk is full")
                                                        << int(StoreFailure::DiskFull);
    }
    void pdfOfRowsThatFailedNamesTheCauseOnly()
    {
        QFETCH(int, failure);
        QFETCH(QString, words);
        QFETCH(int, cause);
        // Rows whose read failed, as a store's streamed rows tell it.
        class FailedRows : public Report::RowSource
        {
        public:
            FailedRows(StoreFailure failure, const QString &words) : m_failure(failure), m_words(words) {}
            qint64 count() const override { return 3; }
            QString value(qint64, const QString &) const override { return {}; }
            QString readError() const override { return m_words; }
            StoreFailure readFailure() const override { return m_failure; }

        private:
            StoreFailure m_failure;
            QString m_words;
        };
        QTemporaryDir folder;
        const Report::Design design = tableDesign();
        const FailedRows rows(StoreFailure(failure), words);
        const Report::Layout layout(design, rows);
        const QString path = folder.filePath(QStringLiteral("results.pdf"));
        QString error;
        QTest::ignoreMessage(QtWarningMsg, QStringLiteral("quorvel: report: %1").arg(words).toUtf8().constData());
        QVERIFY(!Report::writePdf(layout, path, QStringLiteral("Sample"), &error));
        QVERIFY2(error.endsWith(Causes::storeCause(StoreFailure(cause))), qPrintable(error));
        // Only the path and the format's name are Latin.
        QVERIFY2(!QString(error).remove(path).remove(QStringLiteral("PDF")).contains(
                     QRegularExpression(QStringLiteral("[A-Za-z]"))),
                 qPrintable(error));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void pdfToAMissingFolderFailsAndWritesNothing()
    {
        QTemporaryDir folder;
        const Report::Design design = tableDesign();
        const Report::Rows rows = tableRows(3);
        const Report::Layout layout(design, rows);
        const QString path = folder.filePath(QStringLiteral("missing/results.pdf"));
        QString error;
        QVERIFY(!Report::writePdf(layout, path, QStringLiteral("Sample"), &error));
        QVERIFY(error.contains(QStringLiteral("results.pdf")));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
};

// The engine draws with Qt Gui alone: a GUI application without widgets, set
// up as the program sets itself up for printing.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    installFontSubstitutions();
    TestReportEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reportengine.moc"
