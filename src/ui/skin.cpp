#include "ui/skin.h"

#include "store/programplaces.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>

namespace {

const char *const kSkinFiles[] = {
    "chizh.skn", "Green.skn", "galaxy.skn", "_temp.skn", "B-Studio.skn", "Mac.skn",
    "O-Universe.skn", "metallic.skn", "Paper.skn", "winaqua.skn", "office2007.skn",
};

const QHash<QString, QPalette::ColorRole> &roleNames()
{
    static const QHash<QString, QPalette::ColorRole> roles{
        {QStringLiteral("window"), QPalette::Window},
        {QStringLiteral("windowText"), QPalette::WindowText},
        {QStringLiteral("base"), QPalette::Base},
        {QStringLiteral("alternateBase"), QPalette::AlternateBase},
        {QStringLiteral("text"), QPalette::Text},
        {QStringLiteral("button"), QPalette::Button},
        {QStringLiteral("buttonText"), QPalette::ButtonText},
        {QStringLiteral("brightText"), QPalette::BrightText},
        {QStringLiteral("highlight"), QPalette::Highlight},
        {QStringLiteral("highlightedText"), QPalette::HighlightedText},
        {QStringLiteral("toolTipBase"), QPalette::ToolTipBase},
        {QStringLiteral("toolTipText"), QPalette::ToolTipText},
        {QStringLiteral("placeholderText"), QPalette::PlaceholderText},
        {QStringLiteral("light"), QPalette::Light},
        {QStringLiteral("midlight"), QPalette::Midlight},
        {QStringLiteral("mid"), QPalette::Mid},
        {QStringLiteral("dark"), QPalette::Dark},
        {QStringLiteral("shadow"), QPalette::Shadow},
        {QStringLiteral("link"), QPalette::Link},
    };
    return roles;
}

const QString &baseStyle()
{
    static const QString style = [] {
        QFile file(QStringLiteral(":/ui/basestyle.qss"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return style;
}

// Style sheets do not follow a window's palette into its children, so each
// palette(role) of the shared style is written out as the skin's colour.
// Style sheets name the roles in lower case with hyphens (window-text).
QString resolvePaletteRoles(const QString &style, const QPalette &palette)
{
    static const QRegularExpression reference(QStringLiteral("palette\\(([a-z-]+)\\)"));
    QString resolved;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = reference.globalMatch(style); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString name;
        bool upper = false;
        for (const QChar c : match.captured(1)) {
            if (c == QLatin1Char('-'))
                upper = true;
            else
                name += upper ? c.toUpper() : c;
            if (c != QLatin1Char('-'))
                upper = false;
        }
        const auto role = roleNames().constFind(name);
        resolved += style.mid(from, match.capturedStart() - from);
        resolved += role == roleNames().constEnd() ? match.captured() : palette.color(role.value()).name();
        from = match.capturedEnd();
    }
    return resolved + style.mid(from);
}

}  // namespace

QString SkinFileForTheme(double themeNumber)
{
    for (int number = 1; number <= 11; ++number)
        if (themeNumber == number)
            return QString::fromLatin1(kSkinFiles[number - 1]);
    return {};
}

double ReadNumber(const QString &text)
{
    QString compact;
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            compact += c;
    // The longest leading piece of the form [sign]digits[.digits][e[sign]digits].
    int end = 0;
    const int size = int(compact.size());
    auto digitsFrom = [&](int at) {
        while (at < size && compact.at(at).isDigit() && compact.at(at).unicode() < 128)
            ++at;
        return at;
    };
    int at = 0;
    if (at < size && (compact.at(at) == QLatin1Char('+') || compact.at(at) == QLatin1Char('-')))
        ++at;
    const int intStart = at;
    at = digitsFrom(at);
    bool anyDigit = at > intStart;
    if (at < size && compact.at(at) == QLatin1Char('.')) {
        const int fracStart = at + 1;
        const int fracEnd = digitsFrom(fracStart);
        anyDigit = anyDigit || fracEnd > fracStart;
        at = fracEnd;
    }
    if (!anyDigit)
        return 0;
    end = at;
    if (at < size && (compact.at(at) == QLatin1Char('e') || compact.at(at) == QLatin1Char('E'))) {
        int exp = at + 1;
        if (exp < size && (compact.at(exp) == QLatin1Char('+') || compact.at(exp) == QLatin1Char('-')))
            ++exp;
        const int expEnd = digitsFrom(exp);
        if (expEnd > exp)
            end = expEnd;
    }
    return compact.left(end).toDouble();
}

bool Skin::load(const QString &fileName)
{
    QFile file(ProgramPlaces::shippedFile(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QPalette palette = QApplication::palette();
    QString title;
    QString extras;
    int colours = 0;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'))) {
            if (title.isEmpty())
                title = line.mid(1).trimmed();
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return false;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("style")) {
            extras += value + QLatin1Char('\n');
            continue;
        }
        const auto role = roleNames().constFind(key);
        const QColor colour = QColor::fromString(value);
        if (role == roleNames().constEnd() || !colour.isValid())
            return false;
        palette.setColor(QPalette::All, role.value(), colour);
        ++colours;
    }
    if (colours == 0)
        return false;
    const QColor mid = palette.color(QPalette::Mid);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, mid);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, mid);
    palette.setColor(QPalette::Disabled, QPalette::Text, mid);
    m_palette = palette;
    m_styleExtras = extras;
    m_title = title;
    m_fileName = fileName;
    m_loaded = true;
    return true;
}

void Skin::apply(QWidget *window) const
{
    if (!window)
        return;
    if (m_loaded) {
        window->setPalette(m_palette);
        window->setStyleSheet(resolvePaletteRoles(baseStyle() + m_styleExtras, m_palette));
    } else {
        window->setPalette(QApplication::palette());
        window->setStyleSheet(QString());
    }
}

void ApplyTheme(QWidget *window, Skin &skin, const QLineEdit *themeBox)
{
    const QString file = SkinFileForTheme(ReadNumber(themeBox ? themeBox->text() : QString()));
    if (!file.isEmpty())
        skin.load(file);
    skin.apply(window);
}
