#include "analysis/exports.h"

#include "analysis/analysistext.h"
#include "calendar/module7.h"
#include "causes/causes.h"
#include "store/safefile.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

#include <readstat.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <memory>

namespace Analysis {

namespace {

// The subject's value in each column that holds text; the others are numbers.
enum class Kind { Text, Number, Answer, Date };

struct Field
{
    Column column;
    Kind kind;
};

const QList<Field> &fields()
{
    static const QList<Field> all = [] {
        QList<Field> list = {
            {{QStringLiteral("Code"), QStringLiteral("کد")}, Kind::Text},
            {{QStringLiteral("FName"), QStringLiteral("نام")}, Kind::Text},
            {{QStringLiteral("LName"), QStringLiteral("نام خانوادگی")}, Kind::Text},
            {{QStringLiteral("Age"), QStringLiteral("سن")}, Kind::Number},
            {{QStringLiteral("Gender"), QStringLiteral("جنس")}, Kind::Text},
            {{QStringLiteral("Marital"), QStringLiteral("وضعیت تأهل")}, Kind::Text},
            {{QStringLiteral("Education"), QStringLiteral("تحصیلات")}, Kind::Text},
            {{QStringLiteral("Group"), QStringLiteral("گروه")}, Kind::Text},
            {{QStringLiteral("Date"), QStringLiteral("تاریخ ثبت (شمسی)")}, Kind::Text},
            {{QStringLiteral("Time"), QStringLiteral("ساعت ثبت")}, Kind::Text},
            {{QStringLiteral("RegDate"), QStringLiteral("تاریخ ثبت (میلادی)")}, Kind::Date},
            {{QStringLiteral("Score"), QStringLiteral("نمره")}, Kind::Number},
        };
        for (int item = 1; item <= kItems; ++item)
            list.append({{QStringLiteral("Q%1").arg(item), QStringLiteral("پرسش %1").arg(item)}, Kind::Answer});
        return list;
    }();
    return all;
}

QString textOf(const SubjectRecord &subject, int field)
{
    switch (field) {
    case 0: return subject.code;
    case 1: return subject.firstName;
    case 2: return subject.lastName;
    case 3: return subject.age;
    case 4: return subject.gender;
    case 5: return subject.marital;
    case 6: return subject.education;
    case 7: return subject.group;
    case 8: return subject.date;
    case 9: return subject.time;
    case 11: return subject.score;
    default: break;
    }
    if (field >= 12 && field < 12 + kItems) {
        const int answer = subject.answers[field - 12];
        return answer ? QString::number(answer) : QString();
    }
    return {};
}

std::optional<double> numberOf(const SubjectRecord &subject, int field)
{
    if (field >= 12 && field < 12 + kItems) {
        const int answer = subject.answers[field - 12];
        return answer ? std::optional<double>(answer) : std::nullopt;
    }
    return SubjectRecord::number(textOf(subject, field));
}

QString failure(const QString &path, const QString &cause)
{
    return AnalysisText::WriteFailed.arg(path, cause);
}

// Why a library could not write the file at path, in the operator's words.
// Its own words go to the error output. The system's cause shows when the
// disk is full or cannot be written: error is errno just after the failure
// (0 when the failure had nothing to do with the disk), and the target's
// disk is looked at besides, since a library may have called more after
// the write that failed.
QString libraryFailure(const char *library, const QString &words, int error, const QString &path)
{
    Causes::logDetail(QStringLiteral("export: %1").arg(QLatin1String(library)), words);
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EACCES:
    case EPERM:
    case EROFS:
    case EIO:
        return SafeFile::describeError(error, path);
    default:
        break;
    }
    // A disk with less room than a small workbook needs has run out of it.
    constexpr qint64 kNoRoom = 64 * 1024;
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.isReady()) {
        if (disk.isReadOnly())
            return SafeFile::describeError(EROFS, path);
        if (disk.bytesAvailable() < kNoRoom)
            return SafeFile::describeError(ENOSPC, path);
    }
    return AnalysisText::FormatFailed;
}

bool keepGoing(const Progress &progress, qint64 done, qint64 total)
{
    return !progress || done % 2000 != 0 || progress(done, total);
}

// ---- SPSS ----

ssize_t writeToDevice(const void *data, size_t length, void *context)
{
    auto *writer = static_cast<SafeFile::Writer *>(context);
    return writer->write(static_cast<const char *>(data), qint64(length)) == qint64(length) ? ssize_t(length) : -1;
}

// Seconds from 14 October 1582, SPSS's day 0, to the start of date.
double spssDate(const QDate &date)
{
    return double(QDate(1582, 10, 14).daysTo(date)) * 86400.0;
}

ExportResult writeSav(SafeFile::Writer &file, const ExportInput &input, const Progress &progress)
{
    ExportResult result;
    std::unique_ptr<readstat_writer_t, decltype(&readstat_writer_free)> writer(readstat_writer_init(),
                                                                              &readstat_writer_free);
    readstat_set_data_writer(writer.get(), &writeToDevice);
    readstat_writer_set_file_label(writer.get(), "Quorvel");
    readstat_label_set_t *answers = readstat_add_label_set(writer.get(), READSTAT_TYPE_DOUBLE, "answers");
    const QString labels[] = {AnalysisText::Answer1, AnalysisText::Answer2, AnalysisText::Answer3, AnalysisText::Answer4};
    for (int value = 1; value <= 4; ++value)
        readstat_label_double_value(answers, value, labels[value - 1].toUtf8().constData());

    const QList<Field> &all = fields();
    QList<readstat_variable_t *> variables;
    for (qsizetype f = 0; f < all.size(); ++f) {
        const Field &field = all[f];
        readstat_variable_t *variable = nullptr;
        if (field.kind == Kind::Text) {
            size_t width = 1;
            for (const SubjectRecord &subject : input.subjects)
                width = std::max<size_t>(width, size_t(textOf(subject, int(f)).toUtf8().size()));
            variable = readstat_add_variable(writer.get(), field.column.name.toUtf8().constData(), READSTAT_TYPE_STRING,
                                             width);
            readstat_variable_set_measure(variable, READSTAT_MEASURE_NOMINAL);
            readstat_variable_set_display_width(variable, int(std::min<size_t>(width, 40)));
        } else {
            variable = readstat_add_variable(writer.get(), field.column.name.toUtf8().constData(), READSTAT_TYPE_DOUBLE, 0);
            if (field.kind == Kind::Date) {
                readstat_variable_set_format(variable, "DATE11");
                readstat_variable_set_measure(variable, READSTAT_MEASURE_SCALE);
            } else if (field.kind == Kind::Answer) {
                readstat_variable_set_format(variable, "F1.0");
                readstat_variable_set_label_set(variable, answers);
                readstat_variable_set_measure(variable, READSTAT_MEASURE_ORDINAL);
            } else {
                readstat_variable_set_format(variable, "F8.0");
                readstat_variable_set_measure(variable, READSTAT_MEASURE_SCALE);
            }
            readstat_variable_set_display_width(variable, 8);
        }
        QString label = field.column.caption;
        if (field.kind == Kind::Answer && f - 12 < input.itemTexts.size() && !input.itemTexts[f - 12].isEmpty())
            label = input.itemTexts[f - 12];
        readstat_variable_set_label(variable, label.toUtf8().constData());
        variables << variable;
    }

    const auto check = [&](readstat_error_t error) {
        if (error != READSTAT_OK && result.error.isEmpty()) {
            const int system = error == READSTAT_ERROR_WRITE ? errno : 0;
            // The writer names a failed write itself; anything else is ReadStat's.
            result.error = file.errorText().isEmpty()
                               ? libraryFailure("ReadStat", QString::fromUtf8(readstat_error_message(error)), system,
                                                file.target())
                               : file.errorText();
        }
        return error == READSTAT_OK;
    };
    if (!check(readstat_begin_writing_sav(writer.get(), &file, long(input.subjects.size()))))
        return result;
    qint64 done = 0;
    for (const SubjectRecord &subject : input.subjects) {
        if (!check(readstat_begin_row(writer.get())))
            return result;
        for (qsizetype f = 0; f < all.size(); ++f) {
            readstat_error_t error = READSTAT_OK;
            if (all[f].kind == Kind::Text) {
                error = readstat_insert_string_value(writer.get(), variables[f], textOf(subject, int(f)).toUtf8().constData());
            } else if (all[f].kind == Kind::Date) {
                const std::optional<QDate> date = gregorianOfStored(subject.date);
                error = date ? readstat_insert_double_value(writer.get(), variables[f], spssDate(*date))
                             : readstat_insert_missing_value(writer.get(), variables[f]);
            } else {
                const std::optional<double> value = numberOf(subject, int(f));
                error = value ? readstat_insert_double_value(writer.get(), variables[f], *value)
                              : readstat_insert_missing_value(writer.get(), variables[f]);
            }
            if (!check(error))
                return result;
        }
        if (!check(readstat_end_row(writer.get())))
            return result;
        if (!keepGoing(progress, ++done, input.subjects.size())) {
            result.cancelled = true;
            return result;
        }
    }
    if (!check(readstat_end_writing(writer.get())))
        return result;
    result.written = true;
    return result;
}

// ---- CSV ----

QString csvField(const QString &text)
{
    const QString cell = inertCell(text);
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!cell.contains(special))
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

ExportResult writeCsv(SafeFile::Writer &file, const ExportInput &input, const Progress &progress)
{
    ExportResult result;
    const QList<Field> &all = fields();
    const auto line = [&](const QStringList &cells) {
        const QByteArray bytes = (cells.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
        return file.write(bytes) == bytes.size();
    };
    QStringList header;
    for (const Field &field : all)
        header << field.column.name;
    if (file.write("\xEF\xBB\xBF", 3) != 3 || !line(header)) {
        result.error = file.errorText();
        return result;
    }
    qint64 done = 0;
    for (const SubjectRecord &subject : input.subjects) {
        QStringList cells;
        for (qsizetype f = 0; f < all.size(); ++f) {
            if (all[f].kind == Kind::Date) {
                const std::optional<QDate> date = gregorianOfStored(subject.date);
                cells << (date ? date->toString(Qt::ISODate) : QString());
            } else if (all[f].kind == Kind::Text) {
                cells << csvField(textOf(subject, int(f)));
            } else {
                const std::optional<double> value = numberOf(subject, int(f));
                cells << (value ? QString::number(*value, 'f', 0) : QString());
            }
        }
        if (!line(cells)) {
            result.error = file.errorText();
            return result;
        }
        if (!keepGoing(progress, ++done, input.subjects.size())) {
            result.cancelled = true;
            return result;
        }
    }
    result.written = true;
    return result;
}

// ---- Excel ----

ExportResult writeXlsx(SafeFile::Writer &file, const ExportInput &input, const Progress &progress)
{
    ExportResult result;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray folder = QFileInfo(file.temporaryPath()).absolutePath().toLocal8Bit();
    options.tmpdir = const_cast<char *>(folder.constData());
    lxw_workbook *workbook = workbook_new_opt(file.temporaryPath().toLocal8Bit().constData(), &options);
    if (!workbook) {
        const int system = errno;
        result.error = libraryFailure("libxlsxwriter", QStringLiteral("the workbook could not be made"), system,
                                      file.target());
        return result;
    }
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format *dateFormat = workbook_add_format(workbook);
    format_set_num_format(dateFormat, "yyyy-mm-dd");
    lxw_format *decimals = workbook_add_format(workbook);
    format_set_num_format(decimals, "0.000");

    lxw_worksheet *sheet = workbook_add_worksheet(workbook, "آزمودنی‌ها");
    lxw_worksheet *statistics = workbook_add_worksheet(workbook, "آمار گروه‌ها");
    worksheet_right_to_left(sheet);
    worksheet_right_to_left(statistics);
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_freeze_panes(statistics, 1, 0);

    const QList<Field> &all = fields();
    for (qsizetype f = 0; f < all.size(); ++f)
        worksheet_write_string(sheet, 0, lxw_col_t(f), all[f].column.name.toUtf8().constData(), bold);
    lxw_row_t row = 1;
    qint64 done = 0;
    for (const SubjectRecord &subject : input.subjects) {
        for (qsizetype f = 0; f < all.size(); ++f) {
            const auto column = lxw_col_t(f);
            if (all[f].kind == Kind::Text) {
                const QByteArray text = textOf(subject, int(f)).toUtf8();
                if (!text.isEmpty())
                    worksheet_write_string(sheet, row, column, text.constData(), nullptr);
            } else if (all[f].kind == Kind::Date) {
                if (const std::optional<QDate> date = gregorianOfStored(subject.date)) {
                    lxw_datetime when{date->year(), date->month(), date->day(), 0, 0, 0};
                    worksheet_write_datetime(sheet, row, column, &when, dateFormat);
                }
            } else if (const std::optional<double> value = numberOf(subject, int(f))) {
                worksheet_write_number(sheet, row, column, *value, nullptr);
            }
        }
        ++row;
        if (!keepGoing(progress, ++done, input.subjects.size())) {
            workbook_close(workbook);
            result.cancelled = true;
            return result;
        }
    }

    // The statistics sheet: the choice, then one line per group and all together.
    const char *headings[] = {"گروه", "N", "میانگین", "انحراف معیار", "کمینه", "میانه", "بیشینه"};
    for (int c = 0; c < 7; ++c)
        worksheet_write_string(statistics, 0, lxw_col_t(c), headings[c], bold);
    lxw_row_t line = 1;
    const auto summaryRow = [&](const QString &label, const Summary &summary) {
        worksheet_write_string(statistics, line, 0, label.toUtf8().constData(), nullptr);
        worksheet_write_number(statistics, line, 1, double(summary.n), nullptr);
        if (summary.n > 0) {
            worksheet_write_number(statistics, line, 2, summary.mean, decimals);
            if (summary.hasSd())
                worksheet_write_number(statistics, line, 3, summary.sd, decimals);
            worksheet_write_number(statistics, line, 4, summary.min, nullptr);
            worksheet_write_number(statistics, line, 5, summary.median, nullptr);
            worksheet_write_number(statistics, line, 6, summary.max, nullptr);
        }
        ++line;
    };
    for (const GroupSummary &group : input.results.groups)
        summaryRow(group.group.isEmpty() ? AnalysisText::NoGroup : group.group, group.score);
    summaryRow(input.groupLabel, input.results.all);
    worksheet_set_column(statistics, 0, 0, 16, nullptr);
    worksheet_set_column(statistics, 2, 3, 14, nullptr);

    errno = 0;
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR) {
        const int system = errno;
        result.error = libraryFailure("libxlsxwriter", QString::fromUtf8(lxw_strerror(error)), system, file.target());
        return result;
    }
    result.written = true;
    return result;
}

}  // namespace

const QList<Column> &exportColumns()
{
    static const QList<Column> columns = [] {
        QList<Column> list;
        for (const Field &field : fields())
            list << field.column;
        return list;
    }();
    return columns;
}

QString inertCell(const QString &text)
{
    if (!text.isEmpty() && (text.front() == QLatin1Char('=') || text.front() == QLatin1Char('+')
                            || text.front() == QLatin1Char('-') || text.front() == QLatin1Char('@')))
        return QLatin1Char('\'') + text;
    return text;
}

std::optional<QDate> gregorianOfStored(const QString &storedDate)
{
    static const QRegularExpression solar(QStringLiteral("^\\s*(\\d{4})/(\\d{1,2})/(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch match = solar.match(storedDate);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date = Module7::SolarToGregorian(match.captured(1).toInt(), match.captured(2).toInt(),
                                                 match.captured(3).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

std::optional<ExportFormat> formatForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"sav")
        return ExportFormat::Sav;
    if (suffix == u"xlsx")
        return ExportFormat::Xlsx;
    if (suffix == u"csv")
        return ExportFormat::Csv;
    return std::nullopt;
}

ExportResult exportSubjects(const QString &path, ExportFormat format, const ExportInput &input, const Progress &progress)
{
    ExportResult result;
    if (const QString refused = SafeFile::refuseTarget(path); !refused.isEmpty()) {
        result.error = refused;
        return result;
    }
    SafeFile::Writer file(path);
    if (!file.open()) {
        result.error = file.errorText();
        return result;
    }
    switch (format) {
    case ExportFormat::Sav:
        result = writeSav(file, input, progress);
        break;
    case ExportFormat::Csv:
        result = writeCsv(file, input, progress);
        break;
    case ExportFormat::Xlsx:
        result = writeXlsx(file, input, progress);
        break;
    }
    if (!result.written) {
        file.cancel();
        if (!result.cancelled)
            result.error = failure(path, result.error.isEmpty() ? file.errorText() : result.error);
        return result;
    }
    if (!file.finish() || !file.commit()) {
        result.written = false;
        result.error = failure(path, file.errorText());
    }
    return result;
}

ExportResult exportGroup(const QString &path, ExportFormat format, const QString &group, const QString &groupLabel,
                         const QStringList &itemTexts, const Progress &progress)
{
    ExportInput input{{}, itemTexts, {}, groupLabel};
    const ReadResult read = readSubjects(group, &input.subjects, progress);
    ExportResult result;
    if (read.status == ReadStatus::Cancelled) {
        result.cancelled = true;
        return result;
    }
    if (read.status == ReadStatus::Failed) {
        result.error = AnalysisText::ReadFailed.arg(
            Causes::storeFailureText(read.failure, read.error, QStringLiteral("export")));
        return result;
    }
    input.results = analyse(input.subjects);
    return exportSubjects(path, format, input, progress);
}

}  // namespace Analysis
