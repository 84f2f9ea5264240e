#include "lookcheck.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

#include <cmath>

namespace LookCheck {

double luminance(const QColor &colour)
{
    const auto channel = [](double value) {
        value /= 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor dominantColour(const QImage &image, const QRect &area)
{
    const QRect inside = area & image.rect();
    // Near colours count together, so that a soft gradient still has one face.
    QHash<int, int> counts;
    QHash<int, qint64> sums[3];
    int best = -1;
    int bestCount = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int key = (qRed(pixel) >> 3) << 10 | (qGreen(pixel) >> 3) << 5 | (qBlue(pixel) >> 3);
            const int count = ++counts[key];
            sums[0][key] += qRed(pixel);
            sums[1][key] += qGreen(pixel);
            sums[2][key] += qBlue(pixel);
            if (count > bestCount) {
                bestCount = count;
                best = key;
            }
        }
    if (best < 0)
        return {};
    return QColor(int(sums[0][best] / bestCount), int(sums[1][best] / bestCount), int(sums[2][best] / bestCount));
}

Ink measureInk(const QImage &image, const QRect &area)
{
    Ink ink;
    const QRect inside = area & image.rect();
    if (inside.width() < 2 || inside.height() < 2)
        return ink;
    ink.background = dominantColour(image, inside);
    ink.text = ink.background;
    ink.ratio = 1;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const double ratio = contrast(pixel, ink.background);
            if (ratio > ink.ratio) {
                ink.ratio = ratio;
                ink.text = pixel;
            }
        }
    ink.valid = true;
    return ink;
}

namespace {

QString describe(const QWidget *widget, const QString &text = {})
{
    // A viewport or other inner part of Qt's goes by the name of its owner.
    while (widget->objectName().startsWith(QLatin1String("qt_")) && widget->parentWidget())
        widget = widget->parentWidget();
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    if (!text.isEmpty())
        name += QStringLiteral(" \"%1\"").arg(text.left(30).simplified());
    return name;
}

QString ratioText(double ratio)
{
    return QString::number(ratio, 'f', 2) + QStringLiteral(":1");
}

// The part of the widget that is painted on screen: inside every ancestor and
// not under any sibling stacked above it or above one of its ancestors.
QRegion shownRegion(QWidget *widget, QWidget *window)
{
    QRegion region(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()));
    for (QWidget *node = widget; node && node != window; node = node->parentWidget()) {
        QWidget *parent = node->parentWidget();
        if (!parent)
            break;
        region &= QRect(parent->mapTo(window, QPoint(0, 0)), parent->size());
        const QObjectList &siblings = parent->children();
        for (qsizetype i = siblings.indexOf(node) + 1; i < siblings.size(); ++i) {
            auto *above = qobject_cast<QWidget *>(siblings.at(i));
            if (above && above->isVisible() && !above->isWindow())
                region -= QRect(above->mapTo(window, QPoint(0, 0)), above->size());
        }
    }
    return region;
}

bool wholeShown(QWidget *widget, QWidget *window, const QRect &area)
{
    const QRegion shown = shownRegion(widget, window) & area;
    qint64 covered = 0;
    for (const QRect &rect : shown)
        covered += qint64(rect.width()) * rect.height();
    return covered * 10 >= qint64(area.width()) * area.height() * 9;
}

bool isLarge(const QFont &font)
{
    const double points = QFontInfo(font).pointSizeF();
    return points >= 18 || (font.weight() >= QFont::DemiBold && points >= 14);
}

struct TextArea
{
    QWidget *widget;
    QString text;
    QRect rect;  // in the window's coordinates
    bool large;
};

QRect inWindow(QWidget *widget, QWidget *window, const QRect &rect)
{
    return rect.translated(widget->mapTo(window, QPoint(0, 0)));
}

// The text of a button laid out as the style lays it: centred in the
// contents, beside the icon when there is one.
QRect buttonTextRect(QAbstractButton *button, const QRect &contents)
{
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    int shift = 0;
    if (!button->icon().isNull())
        shift = (button->iconSize().width() + 4) / 2 * (button->layoutDirection() == Qt::RightToLeft ? -1 : 1);
    QRect rect(0, 0, qMin(text.width() + 2, contents.width()), qMin(text.height(), contents.height()));
    rect.moveCenter(contents.center() + QPoint(shift, 0));
    return rect;
}

QStyleOptionButton buttonOption(QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    if (button->isChecked())
        option.state |= QStyle::State_On;
    return option;
}

void addViewCells(QAbstractItemView *view, QWidget *window, QList<TextArea> &areas)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const QRect viewport = view->viewport()->rect();
    const int rows = qMin(model->rowCount(view->rootIndex()), 500);
    const int columns = model->columnCount(view->rootIndex());
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const QModelIndex index = model->index(row, column, view->rootIndex());
            const QRect cell = view->visualRect(index);
            if (!viewport.contains(cell))
                continue;
            const QString text = index.data(Qt::DisplayRole).toString();
            if (text.isEmpty())
                continue;
            const QFont font = index.data(Qt::FontRole).canConvert<QFont>()
                                   ? qvariant_cast<QFont>(index.data(Qt::FontRole))
                                   : view->font();
            areas.append({view->viewport(), text, inWindow(view->viewport(), window, cell.adjusted(2, 2, -2, -2)),
                          isLarge(font)});
        }
}

void addHeaderSections(QHeaderView *header, QWidget *window, QList<TextArea> &areas)
{
    const QAbstractItemModel *model = header->model();
    if (!model)
        return;
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section))
            continue;
        const QString text = model->headerData(section, header->orientation(), Qt::DisplayRole).toString();
        if (text.isEmpty())
            continue;
        const int position = header->sectionViewportPosition(section);
        const int size = header->sectionSize(section);
        const QRect rect = header->orientation() == Qt::Horizontal ? QRect(position, 0, size, header->height())
                                                                   : QRect(0, position, header->width(), size);
        if (!header->viewport()->rect().contains(rect))
            continue;
        areas.append({header, text, inWindow(header->viewport(), window, rect.adjusted(2, 2, -2, -2)),
                      isLarge(header->font())});
    }
}

QList<TextArea> textAreas(QWidget *window)
{
    QList<TextArea> areas;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->isWindow() || !widget->isEnabled())
            continue;
        const bool large = isLarge(widget->font());
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (!label->text().isEmpty() && label->pixmap().isNull())
                areas.append({label, label->text(), inWindow(label, window, label->contentsRect()), large});
        } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
            const QStyleOptionButton option = buttonOption(check);
            const QRect contents = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
            if (!check->text().isEmpty())
                areas.append({check, check->text(), inWindow(check, window, contents), large});
        } else if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
            const QStyleOptionButton option = buttonOption(radio);
            const QRect contents = radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
            if (!radio->text().isEmpty())
                areas.append({radio, radio->text(), inWindow(radio, window, contents), large});
        } else if (auto *tool = qobject_cast<QToolButton *>(widget)) {
            if (tool->text().isEmpty() || tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
                continue;
            QRect contents = tool->rect().adjusted(3, 3, -3, -3);
            if (tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon && !tool->icon().isNull())
                contents.setTop(contents.bottom() - tool->fontMetrics().height());
            areas.append({tool, tool->text(), inWindow(tool, window, buttonTextRect(tool, contents)), large});
        } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
            if (button->text().isEmpty())
                continue;
            const QStyleOptionButton option = buttonOption(button);
            const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            areas.append({button, button->text(), inWindow(button, window, buttonTextRect(button, contents)), large});
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            if (!edit->displayText().isEmpty())
                areas.append({edit, edit->displayText(), inWindow(edit, window, edit->rect().adjusted(3, 3, -3, -3)),
                              large});
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            if (combo->isEditable() || combo->currentText().isEmpty())
                continue;
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.currentText = combo->currentText();
            option.frame = combo->hasFrame();
            option.subControls = QStyle::SC_All;
            const QRect field =
                combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
            areas.append({combo, combo->currentText(), inWindow(combo, window, field.adjusted(1, 2, -1, -2)), large});
        } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
            if (group->title().isEmpty())
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.lineWidth = 1;
            option.textAlignment = group->alignment();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title =
                group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
            areas.append({group, group->title(), inWindow(group, window, title), large});
        } else if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                areas.append({tabs, tabs->tabText(i), inWindow(tabs, window, tabs->tabRect(i).adjusted(3, 3, -3, -3)),
                              large});
        } else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget)) {
            if (!plain->document()->isEmpty())
                areas.append({plain->viewport(), plain->toPlainText(),
                              inWindow(plain->viewport(), window, plain->viewport()->rect().adjusted(2, 2, -2, -2)),
                              large});
        } else if (auto *rich = qobject_cast<QTextEdit *>(widget)) {
            if (!rich->document()->isEmpty())
                areas.append({rich->viewport(), rich->toPlainText(),
                              inWindow(rich->viewport(), window, rich->viewport()->rect().adjusted(2, 2, -2, -2)),
                              large});
        } else if (auto *header = qobject_cast<QHeaderView *>(widget)) {
            addHeaderSections(header, window, areas);
        } else if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
            addViewCells(view, window, areas);
        }
    }
    return areas;
}

bool isBox(QWidget *widget)
{
    if (qobject_cast<QLineEdit *>(widget))
        return !qobject_cast<QComboBox *>(widget->parentWidget())
               && !qobject_cast<QAbstractSpinBox *>(widget->parentWidget());
    return qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
           || qobject_cast<QPlainTextEdit *>(widget) || qobject_cast<QTextEdit *>(widget)
           || (qobject_cast<QAbstractItemView *>(widget) && !qobject_cast<QHeaderView *>(widget));
}

QList<QWidget *> shownBoxes(QWidget *window)
{
    QList<QWidget *> boxes;
    for (QWidget *widget : window->findChildren<QWidget *>())
        if (widget->isVisible() && !widget->isWindow() && isBox(widget)
            && !shownRegion(widget, window).isEmpty())
            boxes.append(widget);
    return boxes;
}

// The columns of the label's area where its text is drawn.
bool inkColumns(const QImage &image, const QRect &area, int *left, int *right)
{
    const Ink ink = measureInk(image, area);
    if (!ink.valid)
        return false;
    *left = area.right();
    *right = area.left();
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (contrast(image.pixelColor(x, y), ink.background) > 1.5) {
                *left = qMin(*left, x);
                *right = qMax(*right, x);
            }
    return *left <= *right;
}

bool sameRow(const QRect &a, const QRect &b)
{
    const int overlap = qMin(a.bottom(), b.bottom()) - qMax(a.top(), b.top());
    return overlap * 2 >= qMin(a.height(), b.height());
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 12 && qAbs(a.green() - b.green()) <= 12 && qAbs(a.blue() - b.blue()) <= 12;
}

}  // namespace

QList<Finding> contrastFaults(QWidget *window, const QImage &image)
{
    QList<Finding> faults;
    for (const TextArea &area : textAreas(window)) {
        if (area.rect.width() < 3 || area.rect.height() < 3 || !wholeShown(area.widget, window, area.rect))
            continue;
        const Ink ink = measureInk(image, area.rect);
        const double needed = area.large ? 3.0 : 4.5;
        if (ink.valid && ink.ratio < needed)
            faults.append({describe(area.widget, area.text),
                           QStringLiteral("text %1 on %2 reads %3, under %4")
                               .arg(ink.text.name(), ink.background.name(), ratioText(ink.ratio), ratioText(needed))});
    }
    // The square of a check box or radio button against the strip it stands on.
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        const bool check = qobject_cast<QCheckBox *>(button);
        if (!button->isVisible() || !button->isEnabled() || (!check && !qobject_cast<QRadioButton *>(button)))
            continue;
        const QStyleOptionButton option = buttonOption(button);
        const QRect square = button->style()->subElementRect(
            check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, button);
        const QRect shown = inWindow(button, window, square);
        if (!wholeShown(button, window, shown))
            continue;
        const QColor strip = dominantColour(image, inWindow(button, window, button->rect()));
        double best = 1;
        const QRect inside = shown & image.rect();
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                best = qMax(best, contrast(image.pixelColor(x, y), strip));
        if (best < 3.0)
            faults.append({describe(button, button->text()),
                           QStringLiteral("its square stands out %1 from the strip %2, under 3.00:1")
                               .arg(ratioText(best), strip.name())});
    }
    return faults;
}

QList<Finding> captionFaults(QWidget *window, const QImage &image, int maxGap)
{
    QList<Finding> faults;
    const QList<QWidget *> boxes = shownBoxes(window);
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty() || !label->pixmap().isNull())
            continue;
        const QRect area = inWindow(label, window, label->contentsRect());
        if (!wholeShown(label, window, area))
            continue;
        int inkLeft = 0;
        int inkRight = 0;
        if (!inkColumns(image, area, &inkLeft, &inkRight))
            continue;
        struct Beside
        {
            QWidget *box;
            int gap;
            bool leftOfText;
        };
        QList<Beside> row;
        for (QWidget *box : boxes) {
            const QRect rect(box->mapTo(window, QPoint(0, 0)), box->size());
            if (!sameRow(rect, area) || box->isAncestorOf(label))
                continue;
            const bool leftOfText = rect.right() < inkLeft;
            const int gap = leftOfText ? inkLeft - rect.right() : rect.left() - inkRight;
            if (gap >= 0)
                row.append({box, gap, leftOfText});
        }
        // Its own box: its buddy, or else the nearest box its text leads to.
        const Beside *own = nullptr;
        for (const Beside &beside : row)
            if (beside.box == label->buddy() || (!isBox(label->buddy()) && beside.leftOfText
                                                 && (!own || beside.gap < own->gap)))
                own = &beside;
        if (!own)
            continue;  // no box to point to: a heading or a note
        if (own->gap > maxGap)
            faults.append({describe(label, label->text()), QStringLiteral("stands %1 px from its box %2, more than %3 px")
                                                               .arg(own->gap)
                                                               .arg(describe(own->box))
                                                               .arg(maxGap)});
        for (const Beside &other : row)
            if (&other != own && other.gap < 2 * own->gap)
                faults.append({describe(label, label->text()),
                               QStringLiteral("stands %1 px from %2, not twice as far as from its own box %3 (%4 px)")
                                   .arg(other.gap)
                                   .arg(describe(other.box), describe(own->box))
                                   .arg(own->gap)});
    }
    return faults;
}

QList<Finding> boxColourFaults(QWidget *window, const QImage &image, const QPalette &theme)
{
    QList<Finding> faults;
    const auto check = [&](QWidget *widget, const QRect &inside, const QList<QColor> &allowed, const QString &what) {
        const QRect area = inWindow(widget, window, inside);
        if (area.width() < 4 || area.height() < 4 || !wholeShown(widget, window, area))
            return;
        const QColor painted = dominantColour(image, area);
        for (const QColor &colour : allowed)
            if (near(painted, colour))
                return;
        QStringList names;
        for (const QColor &colour : allowed)
            names << colour.name();
        faults.append({describe(widget), QStringLiteral("%1 is painted %2, not the theme's %3")
                                             .arg(what, painted.name(), names.join(QStringLiteral(" or ")))});
    };
    const QList<QColor> boxColours = {theme.color(QPalette::Base), theme.color(QPalette::AlternateBase)};
    for (QWidget *widget : shownBoxes(window)) {
        if (!widget->isEnabled())
            continue;
        if (auto *view = qobject_cast<QAbstractItemView *>(widget))
            check(view->viewport(), view->viewport()->rect(), boxColours, QStringLiteral("the grid"));
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
            check(plain->viewport(), plain->viewport()->rect(), boxColours, QStringLiteral("the text box"));
        else if (auto *rich = qobject_cast<QTextEdit *>(widget))
            check(rich->viewport(), rich->viewport()->rect(), boxColours, QStringLiteral("the text box"));
        else
            check(widget, widget->rect().adjusted(3, 3, -3, -3), boxColours, QStringLiteral("the box"));
    }
    for (QHeaderView *header : window->findChildren<QHeaderView *>())
        if (header->isVisible() && header->count() > 0)
            check(header->viewport(), header->viewport()->rect(), {theme.color(QPalette::Button)},
                  QStringLiteral("the header"));
    return faults;
}

}  // namespace LookCheck
