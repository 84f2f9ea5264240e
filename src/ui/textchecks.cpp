#include "ui/textchecks.h"

#include <QList>

namespace {

bool isDirectionMark(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

bool HasHiddenControls(const QString &text)
{
    for (const uint c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph || isDirectionMark(c))
            return true;
    }
    return false;
}

bool HasInvisibleInCode(const QString &text)
{
    if (HasHiddenControls(text))
        return true;
    for (const uint c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Format || (category == QChar::Separator_Space && c != u' '))
            return true;
    }
    return false;
}
