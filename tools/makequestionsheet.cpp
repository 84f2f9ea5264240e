// Writes the question sheet: the questionnaire's title, how to answer, and the
// twenty items in a table with a box to tick under each option of the scale.
//   quorvel-makequestionsheet ITEMS.txt OUT.pdf
#include "administration/administrationtext.h"
#include "ui/fonts.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <QTextStream>

namespace {

constexpr int kDpi = 300;
constexpr int kItems = 20;
constexpr double kItemPoints = 11.5;

constexpr double mm(double value)
{
    return value * kDpi / 25.4;
}

constexpr double kThanksSpace = mm(12);
constexpr double kPadding = mm(1.5);
constexpr double kHeaderRowHeight = mm(12);
// Right in every direction: a plain AlignRight would turn to the left in right-to-left text.
constexpr Qt::Alignment kRight = Qt::AlignAbsolute | Qt::AlignRight;

const QString kInstructions = QStringLiteral(
    "هر جمله را با دقت بخوانید و میزان موافقت خود را با آن، با گذاشتن علامت در یکی از چهار خانه روبه‌روی جمله مشخص کنید. "
    "پاسخ درست یا غلط وجود ندارد؛ لطفاً به همه پرسش‌ها پاسخ دهید و برای هر پرسش تنها یک خانه را علامت بزنید.");
const QString kSubjectLine = QStringLiteral("نام و نام خانوادگی: ..............................      کد: ..............      تاریخ: ..............");
const QString kNumberHeading = QStringLiteral("ردیف");
const QString kItemHeading = QStringLiteral("پرسش");
const QString kThanks = QStringLiteral("با سپاس از همکاری شما");
const QString kPageOf = QStringLiteral("صفحه %1 از %2");

QFont sheetFont(double pointSize, bool bold = false)
{
    QFont font(QStringLiteral("B Nazanin"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QString persianNumber(int number)
{
    return QLocale(QLocale::Persian, QLocale::Iran).toString(number);
}

QTextOption rightToLeft(Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WordWrap);
    return option;
}

// The table's columns from right to left: number, item, then the four options.
struct Columns {
    explicit Columns(double width)
    {
        number = QRectF(width - mm(11), 0, mm(11), 0);
        const double optionWidth = mm(19);
        item = QRectF(optionWidth * 4, 0, number.left() - optionWidth * 4, 0);
        for (int i = 0; i < 4; ++i)
            options[i] = QRectF(item.left() - optionWidth * (i + 1), 0, optionWidth, 0);
    }
    QRectF number;
    QRectF item;
    QRectF options[4];
};

class SheetPainter
{
public:
    SheetPainter(QPdfWriter &writer, const QStringList &items) : m_writer(writer), m_items(items), m_columns(writer.width())
    {
        m_painter.begin(&m_writer);
        m_painter.setPen(QPen(Qt::black, mm(0.25)));
    }

    bool paint()
    {
        if (!m_painter.isActive())
            return false;
        const QList<QList<int>> pages = paginate();
        for (int page = 0; page < pages.size(); ++page) {
            if (page > 0)
                m_writer.newPage();
            double y = page == 0 ? paintHead() : 0;
            y = paintHeaderRow(y);
            for (int index : pages.at(page))
                y = paintItem(index, y);
            if (page == pages.size() - 1)
                text(QRectF(0, y + mm(4), m_writer.width(), kThanksSpace - mm(4)), kThanks, sheetFont(12, true), Qt::AlignHCenter);
            if (pages.size() > 1)
                text(QRectF(0, m_writer.height() - mm(8), m_writer.width(), mm(8)),
                     kPageOf.arg(persianNumber(page + 1), persianNumber(pages.size())), sheetFont(9), Qt::AlignHCenter);
        }
        return m_painter.end();
    }

private:
    double width() const { return m_writer.width(); }
    double bodyBottom() const { return m_writer.height() - mm(12); }

    QRectF text(const QRectF &box, const QString &content, const QFont &font, Qt::Alignment alignment)
    {
        m_painter.setFont(font);
        const QTextOption option = rightToLeft(alignment);
        m_painter.drawText(box, content, option);
        return m_painter.boundingRect(box, content, option);
    }

    double textHeight(double boxWidth, const QString &content, const QFont &font)
    {
        m_painter.setFont(font);
        return m_painter.boundingRect(QRectF(0, 0, boxWidth, 1e6), content, rightToLeft(Qt::AlignRight)).height();
    }

    double itemHeight(int index)
    {
        return qMax(mm(9), textHeight(m_columns.item.width() - 2 * kPadding, m_items.at(index), sheetFont(kItemPoints)) + 2 * kPadding);
    }

    // Items to each page, the title and instructions taking the top of the first.
    QList<QList<int>> paginate()
    {
        QList<QList<int>> pages(1);
        double y = headHeight() + kHeaderRowHeight;
        for (int index = 0; index < m_items.size(); ++index) {
            const double height = itemHeight(index);
            // The last item keeps the closing thanks on its page.
            const double needed = height + (index == m_items.size() - 1 ? kThanksSpace : 0);
            if (y + needed > bodyBottom() && !pages.last().isEmpty()) {
                pages.append(QList<int>());
                y = kHeaderRowHeight;
            }
            pages.last().append(index);
            y += height;
        }
        return pages;
    }

    double headHeight()
    {
        return mm(14) + textHeight(width(), kInstructions, sheetFont(12)) + mm(14);
    }

    double paintHead()
    {
        text(QRectF(0, 0, width(), mm(12)), AdministrationText::SkinLabel3Text, sheetFont(20, true), Qt::AlignHCenter);
        const QRectF instructions = text(QRectF(0, mm(14), width(), mm(40)), kInstructions, sheetFont(12), Qt::AlignJustify);
        text(QRectF(0, instructions.bottom() + mm(4), width(), mm(8)), kSubjectLine, sheetFont(11), kRight);
        return headHeight();
    }

    double paintHeaderRow(double top)
    {
        const double height = kHeaderRowHeight;
        const QString captions[4] = {AdministrationText::Option1Caption, AdministrationText::Option2Caption,
                                     AdministrationText::Option3Caption, AdministrationText::Option4Caption};
        m_painter.fillRect(QRectF(0, top, width(), height), QColor(0xdd, 0xe6, 0xf0));
        const QFont font = sheetFont(11, true);
        cell(m_columns.number, top, height, kNumberHeading, font);
        cell(m_columns.item, top, height, kItemHeading, font);
        for (int i = 0; i < 4; ++i)
            cell(m_columns.options[i], top, height, captions[i], font);
        return top + height;
    }

    double paintItem(int index, double top)
    {
        const double height = itemHeight(index);
        if (index % 2 == 1)
            m_painter.fillRect(QRectF(0, top, width(), height), QColor(0xf3, 0xf6, 0xf9));
        cell(m_columns.number, top, height, persianNumber(index + 1), sheetFont(12, true));
        const QRectF item(m_columns.item.left(), top, m_columns.item.width(), height);
        m_painter.drawRect(item);
        text(item.adjusted(kPadding, 0, -kPadding, 0), m_items.at(index), sheetFont(kItemPoints), kRight | Qt::AlignVCenter);
        for (const QRectF &column : m_columns.options) {
            const QRectF box(column.left(), top, column.width(), height);
            m_painter.drawRect(box);
            const double side = mm(4.5);
            m_painter.drawRect(QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side));
        }
        return top + height;
    }

    void cell(const QRectF &column, double top, double height, const QString &content, const QFont &font)
    {
        const QRectF box(column.left(), top, column.width(), height);
        m_painter.drawRect(box);
        text(box.adjusted(mm(1), 0, -mm(1), 0), content, font, Qt::AlignCenter);
    }

    QPdfWriter &m_writer;
    const QStringList &m_items;
    Columns m_columns;
    QPainter m_painter;
};

QStringList readItems(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file.errorString();
        return {};
    }
    QStringList items;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            items << line.trimmed();
    if (items.size() != kItems)
        *error = QStringLiteral("expected %1 items, found %2").arg(kItems).arg(items.size());
    return items;
}

}  // namespace

int main(int argc, char *argv[])
{
    // The build runs this tool where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        err << "usage: quorvel-makequestionsheet ITEMS.txt OUT.pdf\n";
        return 2;
    }
    installFontSubstitutions();

    QString error;
    const QStringList items = readItems(args.at(1), &error);
    if (!error.isEmpty()) {
        err << "quorvel-makequestionsheet: " << args.at(1) << ": " << error << '\n';
        return 1;
    }
    QPdfWriter writer(args.at(2));
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 12, 15, 10), QPageLayout::Millimeter);
    writer.setTitle(AdministrationText::SkinLabel3Text.trimmed());
    writer.setCreator(QStringLiteral("Quorvel"));
    if (!SheetPainter(writer, items).paint()) {
        err << "quorvel-makequestionsheet: cannot write " << args.at(2) << '\n';
        return 1;
    }
    return 0;
}
