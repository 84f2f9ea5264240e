#include "app/about.h"

#include "app/aboutcolours.h"
#include "app/abouttext.h"
#include "app/rolllabel.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>

namespace {

// Set on the window itself so that neither the owner's theme nor an
// application style sheet reaches its controls.
const QString kStyle = QStringLiteral(
    "QLabel { background: transparent; }"
    "#Text1 { color: rgb(0, 0, 192); background: rgb(255, 255, 255); border: 1px solid rgb(122, 150, 184);"
    " border-radius: 3px; }"
    "#Command1 { color: rgb(72, 36, 0); background: rgb(255, 192, 128); border: 1px solid rgb(176, 106, 44);"
    " border-radius: 6px; padding: 1px; }"
    "#Command1:hover { background: rgb(255, 210, 164); }"
    "#Command1:pressed { background: rgb(236, 168, 100); }");

struct LabelPlace
{
    const char *name;
    int left;
    int top;
};

// Where the roll labels stand when the window loads. The lines they carry
// are far wider than the 1005 twips the labels were first drawn with, so
// each keeps its right edge and reaches further to the left.
constexpr std::array<LabelPlace, 4> kLabelPlaces{{{"Label1", 6600, 1920},
                                                  {"Label2", 6630, 2640},
                                                  {"Label3", 6645, 3240},
                                                  {"Label4", 6630, 3840}}};
constexpr int kDrawnWidth = 1005;
constexpr int kRollWidth = 4200;
constexpr int kLabelHeight = 360;

constexpr int kWrapTop = 1000;
constexpr int kWrapAboveBottom = 1500;
constexpr int kRollStep = 15;
constexpr int kTitleRoom = 1700;

int toTwips(int pixels)
{
    return pixels * 15;
}

// The credit line as it starts: ten blanks, the letters of each word set
// apart by runs of blanks, and full stops where the blanks between words go.
QString spreadCredit()
{
    // Runs long enough for the letters to take about a second to come together.
    const QString gap(48, QLatin1Char(' '));
    QString text(10, QLatin1Char(' '));
    for (qsizetype word = 0; word < AboutText::CreditWords.size(); ++word) {
        if (word > 0)
            text += word == AboutText::CreditMakerFirstWord + 1 ? QStringLiteral("..") : QStringLiteral(".");
        const QString &letters = AboutText::CreditWords.at(word);
        for (qsizetype letter = 0; letter < letters.size(); ++letter) {
            if (letter > 0)
                text += gap;
            text += letters.at(letter);
        }
    }
    return text + QLatin1Char('.');
}


QFont rollFont()
{
    QFont font = arialFont(16);
    font.setPointSizeF(15.75);
    font.setBold(true);
    return font;
}

}  // namespace

About::About(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("About"));
    CloseByKeyboard(this);
    setWindowTitle(AboutText::Caption);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twips(8430), twips(7200));
    setStyleSheet(kStyle);

    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        auto *label = new RollLabel(this);
        label->setObjectName(QString::fromLatin1(kLabelPlaces[i].name));
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        label->setFont(rollFont());
        m_labels[i] = label;
    }

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(2040, 6600, 4095, 285));
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setFocusPolicy(Qt::NoFocus);

    Command1 = new QToolButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(6900, 6360, 795, 735));
    Command1->setText(AboutText::Command1Caption);
    Command1->setIcon(QIcon(QStringLiteral(":/app/exit.svg")));
    Command1->setIconSize(QSize(26, 26));
    Command1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Command1->setCursor(Qt::PointingHandCursor);
    connect(Command1, &QToolButton::clicked, this, &About::Command1_Click);

    Timer1 = NamedTimer(this, QStringLiteral("Timer1"), 700);
    Timer10 = NamedTimer(this, QStringLiteral("Timer10"), 55);
    Timer3 = NamedTimer(this, QStringLiteral("Timer3"), 1);
    Timer2 = NamedTimer(this, QStringLiteral("Timer2"), 55);
    Timer3->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &About::Timer1_Timer);
    connect(Timer10, &QTimer::timeout, this, &About::Timer10_Timer);
    connect(Timer3, &QTimer::timeout, this, &About::Timer3_Timer);
    connect(Timer2, &QTimer::timeout, this, &About::Timer2_Timer);

    loadAsDrawn();
    Form_Load();
}

// The window as drawn: labels in place and in the highlight-text colour, the
// caption as given, and the timers that run from the start.
void About::loadAsDrawn()
{
    const QColor plain = QApplication::palette().color(QPalette::HighlightedText);
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const LabelPlace &place = kLabelPlaces[i];
        const int right = place.left + kDrawnWidth;
        m_labels[i]->setGeometry(twipsRect(right - kRollWidth, place.top, kRollWidth, kLabelHeight));
        setLabelColour(m_labels[i], plain);
    }
    m_titleMode = TitleMode::Unset;
    setWindowTitle(AboutText::Caption);
    for (QTimer *timer : {Timer1, Timer10, Timer2})
        timer->start();
}

void About::Form_Load()
{
    Timer3->start();
    Text1->setText(spreadCredit());
    Text1->setCursorPosition(0);
    m_creditSearch = QStringLiteral(" ");
    m_creditReplacement.clear();
    move(twipsPoint(1100, 1200));
    m_rollLines = QStringList(11, QString());
    const QStringList filled{AboutText::SoftwareName, AboutText::ProgramName, AboutText::Programmer,
                             AboutText::Telephone,    AboutText::EMail,       AboutText::WebSite,
                             AboutText::Shop};
    for (qsizetype i = 0; i < filled.size(); ++i)
        m_rollLines[i] = filled.at(i);
    for (std::size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setText(m_rollLines.at(static_cast<qsizetype>(i)));
    m_rollIndex = 4;
}

void About::setLabelColour(QLabel *label, const QColor &colour)
{
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(colour.name()));
}

int About::outerHeightTwips() const
{
    return toTwips(frameGeometry().height());
}

// Closes the window and goes back to the main window.
void About::Command1_Click()
{
    close();
}

// Every 700 ms: the first label steps through its colours, the third takes a new one.
void About::Timer1_Timer()
{
    const AboutColours::Step step = AboutColours::program().next();
    setLabelColour(m_labels[0], step.first);
    setLabelColour(m_labels[2], step.third);
}

// The roll: the first label to reach the top goes to the bottom with the
// next line, then all four move up a step.
void About::Timer10_Timer()
{
    for (QLabel *label : m_labels) {
        if (toTwips(label->y()) <= kWrapTop) {
            label->move(label->x(), twips(outerHeightTwips() - kWrapAboveBottom));
            ++m_rollIndex;
            label->setText(m_rollLines.value(m_rollIndex - 1));
            break;
        }
    }
    if (m_rollIndex == 9)
        m_rollIndex = 0;
    for (QLabel *label : m_labels)
        label->move(label->x(), label->y() - twips(kRollStep));
}

// The credit line closes up: one blank goes per tick, and once none is left,
// one full stop per tick turns into a blank.
void About::Timer3_Timer()
{
    if (m_creditSearch.isEmpty() || m_creditSearch == m_creditReplacement)
        return;
    const QString text = Text1->text();
    const qsizetype found = text.indexOf(m_creditSearch, 0, Qt::CaseSensitive);
    if (found >= 0) {
        Text1->setText(text.left(found) + m_creditReplacement + text.mid(found + m_creditSearch.size()));
        Text1->setCursorPosition(0);
    } else {
        m_creditSearch = QStringLiteral(".");
        m_creditReplacement = QStringLiteral(" ");
    }
}

// A caption too wide for the title bar would lose a letter per tick and a
// six-letter one would gain blanks in front; the window's own caption is
// short enough for neither.
void About::Timer2_Timer()
{
    const QString title = windowTitle();
    if (toTwips(fontMetrics().horizontalAdvance(title)) > toTwips(frameGeometry().width()) - kTitleRoom)
        m_titleMode = TitleMode::Shrinking;
    else if (title.size() == 6)
        m_titleMode = TitleMode::Growing;
    switch (m_titleMode) {
    case TitleMode::Growing:
        setWindowTitle(QLatin1Char(' ') + title);
        break;
    case TitleMode::Shrinking:
        setWindowTitle(title.mid(1));
        break;
    case TitleMode::Unset:
        break;
    }
}

void About::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_background.size() != size() * ratio) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        m_background.fill(Qt::white);
        QPainter painter(&m_background);
        QSvgRenderer(QStringLiteral(":/app/about.svg")).render(&painter, QRectF(QPointF(0, 0), QSizeF(size())));
    }
    QPainter(this).drawPixmap(0, 0, m_background);
}

// Shown again after a close, the window loads afresh.
void About::showEvent(QShowEvent *event)
{
    if (m_closed) {
        m_closed = false;
        loadAsDrawn();
        Form_Load();
    }
    QWidget::showEvent(event);
}

void About::closeEvent(QCloseEvent *event)
{
    for (QTimer *timer : {Timer1, Timer10, Timer3, Timer2})
        timer->stop();
    m_closed = true;
    event->accept();
    emit closed();
}
