#include "report/reportdesign.h"

namespace Report {

Item *Section::item(const QString &name)
{
    for (Item &candidate : items)
        if (candidate.name.compare(name, Qt::CaseInsensitive) == 0)
            return &candidate;
    return nullptr;
}

Section *Design::section(const QString &name)
{
    for (Section &candidate : sections)
        if (candidate.name.compare(name, Qt::CaseInsensitive) == 0)
            return &candidate;
    return nullptr;
}

QStringList Design::fields() const
{
    QStringList names;
    for (const Item &item : section(SectionKind::Detail).items)
        if (item.kind == Item::Kind::Field && !item.field.isEmpty() && !names.contains(item.field, Qt::CaseInsensitive))
            names << item.field;
    return names;
}

Rows::Rows(const QStringList &fields) : m_fields(fields) {}

qint64 Rows::count() const
{
    return m_count;
}

void Rows::append(const QStringList &values)
{
    // Short rows are padded with empty values and extra values dropped, so
    // every row takes exactly one slot per field.
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (i < values.size())
            m_text += values.at(i);
        m_ends.append(m_text.size());
    }
    ++m_count;
}

QString Rows::value(qint64 row, const QString &field) const
{
    qsizetype column = 0;
    while (column < m_fields.size() && m_fields.at(column).compare(field, Qt::CaseInsensitive) != 0)
        ++column;
    if (column == m_fields.size() || row < 0 || row >= m_count)
        return QString();
    const qint64 slot = row * m_fields.size() + column;
    const qint64 start = slot == 0 ? 0 : m_ends.at(slot - 1);
    return m_text.mid(start, m_ends.at(slot) - start);
}

}  // namespace Report
