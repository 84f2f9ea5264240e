#include "app/about.h"
#include "app/aboutcolours.h"
#include "app/abouttext.h"
#include "looks/lookcheck.h"
#include "support/controls.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const char *const kRoll[] = {"Label1", "Label2", "Label3", "Label4"};

QTimer *timer(const About &window, const char *name)
{
    return window.findChild<QTimer *>(QString::fromLatin1(name));
}

void tick(const About &window, const char *name, int times = 1)
{
    QTimer *clock = timer(window, name);
    for (int i = 0; i < times; ++i)
        QVERIFY(QMetaObject::invokeMethod(clock, "timeout"));
}

// Stops the window's own timers so that only the test moves it on.
void holdTimers(const About &window)
{
    for (QTimer *clock : window.findChildren<QTimer *>())
        clock->stop();
}

QColor textColour(QWidget *widget)
{
    widget->ensurePolished();
    return widget->palette().color(widget->foregroundRole());
}

QStringList rollTexts(const About &window)
{
    QStringList texts;
    for (const char *name : kRoll)
        texts << control<QLabel>(window, name)->text();
    return texts;
}

// Where each roll label stands when the window loads: its right edge as
// drawn, reaching left far enough for the longest line.
QRect labelPlace(int left, int top)
{
    return twipsRect(left + 1005 - 4200, top, 4200, 360);
}

const QStringList kFirstLines{AboutText::SoftwareName, AboutText::ProgramName, AboutText::Programmer,
                              AboutText::Telephone};

// The credit line once closed up: its words with blanks between, two before
// the maker's second name, and one at the end where the last stop stood.
QString assembledCredit()
{
    QStringList words = AboutText::CreditWords;
    words[AboutText::CreditMakerFirstWord + 1].prepend(QLatin1Char(' '));
    return words.join(QLatin1Char(' ')) + QLatin1Char(' ');
}

}  // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void controlsAreLaidOut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Command1") << QStringLiteral("Command1") << twipsRect(6900, 6360, 795, 735);
        QTest::newRow("Text1") << QStringLiteral("Text1") << twipsRect(2040, 6600, 4095, 285);
        QTest::newRow("Label1") << QStringLiteral("Label1") << labelPlace(6600, 1920);
        QTest::newRow("Label2") << QStringLiteral("Label2") << labelPlace(6630, 2640);
        QTest::newRow("Label3") << QStringLiteral("Label3") << labelPlace(6645, 3240);
        QTest::newRow("Label4") << QStringLiteral("Label4") << labelPlace(6630, 3840);
    }

    void controlsAreLaidOut()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        About window;
        auto *widget = window.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), &window);
        QCOMPARE(widget->geometry(), geometry);
    }

    void windowAndTextsAreAsGiven()
    {
        About window;
        QVERIFY(window.isWindow());
        QCOMPARE(window.objectName(), QStringLiteral("About"));
        // The title as the operator reads it in the title bar.
        QCOMPARE(window.windowTitle(), QStringLiteral("about"));
        QCOMPARE(window.windowModality(), Qt::ApplicationModal);
        QCOMPARE(window.size(), QSize(twips(8430), twips(7200)));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.pos(), twipsPoint(1100, 1200));

        auto *exit = control<QToolButton>(window, "Command1");
        QCOMPARE(exit->text(), AboutText::Command1Caption);
        QCOMPARE(exit->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(!exit->icon().pixmap(exit->iconSize()).isNull());

        auto *credit = control<QLineEdit>(window, "Text1");
        QVERIFY(credit->isReadOnly());
        QCOMPARE(credit->alignment(), Qt::AlignCenter);

        const QColor highlightText = QApplication::palette().color(QPalette::HighlightedText);
        for (const char *name : kRoll) {
            auto *label = control<QLabel>(window, name);
            QCOMPARE(label->alignment(), Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
            QCOMPARE(label->font().family(), QStringLiteral("Arial"));
            QCOMPARE(label->font().pointSizeF(), 15.75);
            QVERIFY(label->font().bold());
            QCOMPARE(textColour(label), highlightText);
        }

        const struct
        {
            const char *name;
            int interval;
        } timers[] = {{"Timer1", 700}, {"Timer10", 55}, {"Timer3", 1}, {"Timer2", 55}};
        for (const auto &expected : timers) {
            QTimer *clock = timer(window, expected.name);
            QVERIFY2(clock, expected.name);
            QCOMPARE(clock->interval(), expected.interval);
            QVERIFY2(clock->isActive(), expected.name);
        }
    }

    // Every line of the roll can be read whole on its label.
    void rollLinesFitTheirLabels()
    {
        About window;
        auto *label = control<QLabel>(window, "Label1");
        const QFontMetrics metrics(label->font());
        for (const QString &line : {AboutText::SoftwareName, AboutText::ProgramName, AboutText::Programmer,
                                    AboutText::Telephone, AboutText::EMail, AboutText::WebSite, AboutText::Shop})
            QVERIFY2(metrics.horizontalAdvance(line) <= label->width() - 4, qPrintable(line));
    }

    // The theme of the window that opens it and an application style sheet
    // change nothing: every control looks the same with and without them.
    void theOwnersThemeDoesNotReachIt()
    {
        const auto shot = [](QWidget *owner) {
            About window(owner);
            holdTimers(window);
            window.show();
            if (!QTest::qWaitForWindowExposed(&window))
                return QImage();
            return window.grab().toImage();
        };
        const QImage plain = shot(nullptr);
        QVERIFY(!plain.isNull());

        const QString previous = qApp->styleSheet();
        qApp->setStyleSheet(QStringLiteral("QWidget { background-color: rgb(20, 30, 40); color: rgb(250, 250, 0); }"));
        QWidget owner;
        owner.setStyleSheet(QStringLiteral("QLabel { color: rgb(0, 255, 255); } "
                                           "QLineEdit { color: white; background: black; } "
                                           "QToolButton { background: rgb(10, 10, 10); }"));
        QPalette dark = owner.palette();
        dark.setColor(QPalette::HighlightedText, QColor(255, 0, 255));
        owner.setPalette(dark);
        const QImage themed = shot(&owner);
        qApp->setStyleSheet(previous);

        About window;
        for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Text1", "Command1"}) {
            const QRect place = control(window, name)->geometry();
            QVERIFY2(themed.copy(place) == plain.copy(place), name);
        }
        const QRect exit = control(window, "Command1")->geometry();
        QCOMPARE(plain.pixelColor(exit.left() + 3, exit.center().y()), QColor(255, 192, 128));
        const QRect credit = control(window, "Text1")->geometry();
        QCOMPARE(plain.pixelColor(credit.left() + 3, credit.center().y()), QColor(Qt::white));
        QCOMPARE(textColour(control(window, "Text1")), QColor(0, 0, 192));
    }

    // The four first lines show at once; then, one label at a time, the
    // label that reaches the top goes to the bottom with the next line,
    // starting with line 4, through the two empty lines and round again.
    void rollShowsFirstFourLinesThenGoesOnFromLineFour()
    {
        About window;
        holdTimers(window);
        QCOMPARE(rollTexts(window), kFirstLines);

        const QStringList expectedLines{AboutText::EMail,        AboutText::WebSite,     AboutText::Shop,
                                        QString(),               QString(),              AboutText::SoftwareName,
                                        AboutText::ProgramName,  AboutText::Programmer,  AboutText::Telephone,
                                        AboutText::EMail,        AboutText::WebSite};
        const int bottom = twips(window.frameGeometry().height() * 15 - 1500);
        QStringList shownLines;
        QStringList wrappedLabels;
        for (int step = 0; step < 2000 && shownLines.size() < expectedLines.size(); ++step) {
            QList<int> before;
            for (const char *name : kRoll)
                before << control(window, name)->y();
            tick(window, "Timer10");
            int wrapped = 0;
            for (int i = 0; i < 4; ++i) {
                auto *label = control<QLabel>(window, kRoll[i]);
                if (label->y() == before[i] - 1)
                    continue;
                // A label wraps when its top has reached 1000 twips, and
                // moves up with the others in the same tick.
                QVERIFY(before[i] * 15 <= 1000);
                QVERIFY(before[i] * 15 > 1000 - 15);
                QCOMPARE(label->y(), bottom - 1);
                shownLines << label->text();
                wrappedLabels << label->objectName();
                ++wrapped;
            }
            QVERIFY(wrapped <= 1);
        }
        QCOMPARE(shownLines, expectedLines);
        QCOMPARE(wrappedLabels.mid(0, 5),
                 (QStringList{"Label1", "Label2", "Label3", "Label4", "Label1"}));
    }

    // Blanks go one a tick, then full stops turn into blanks one a tick; after
    // that the line stays as it is.
    void creditClosesUpThenStopsChanging()
    {
        About window;
        holdTimers(window);
        auto *credit = control<QLineEdit>(window, "Text1");
        const QString spread = credit->text();
        QVERIFY(spread.startsWith(QString(10, QLatin1Char(' '))));
        QVERIFY(spread.at(10) != QLatin1Char(' '));
        const auto blanks = spread.count(QLatin1Char(' '));
        const auto stops = spread.count(QLatin1Char('.'));

        tick(window, "Timer3", int(blanks));
        QString joined = spread;
        joined.remove(QLatin1Char(' '));
        QCOMPARE(credit->text(), joined);
        QCOMPARE(joined, assembledCredit().replace(QLatin1Char(' '), QLatin1Char('.')));

        // The tick that finds no blank left only turns to the full stops.
        tick(window, "Timer3");
        QCOMPARE(credit->text(), joined);
        QString text = joined;
        for (qsizetype i = 0; i < stops; ++i) {
            tick(window, "Timer3");
            text[text.indexOf(QLatin1Char('.'))] = QLatin1Char(' ');
            QCOMPARE(credit->text(), text);
        }
        QCOMPARE(credit->text(), assembledCredit());
        tick(window, "Timer3", 50);
        QCOMPARE(credit->text(), assembledCredit());
    }

    // Closing (by the exit button or the close box) stops the window; opened
    // again, as a new window or the same one, the roll and the credit start
    // from the beginning while the first label's colours carry on.
    void reopeningRestartsRollAndCreditButNotColours_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<bool>("sameWindow");
        QTest::newRow("exit button, new window") << true << false;
        QTest::newRow("close box, same window") << false << true;
    }

    void reopeningRestartsRollAndCreditButNotColours()
    {
        QFETCH(bool, byButton);
        QFETCH(bool, sameWindow);
        const QList<QColor> cycle{QColor(0, 0, 0),       QColor(0, 128, 0),   QColor(128, 0, 0),
                                  QColor(128, 128, 0),   QColor(128, 128, 128), QColor(0, 255, 0),
                                  QColor(255, 0, 0),     QColor(255, 255, 0)};
        QList<QColor> firstColours;

        auto first = std::make_unique<About>();
        const QString spread = control<QLineEdit>(*first, "Text1")->text();
        first->show();
        QVERIFY(QTest::qWaitForWindowExposed(first.get()));
        holdTimers(*first);
        for (int i = 0; i < 3; ++i) {
            tick(*first, "Timer1");
            firstColours << textColour(control(*first, "Label1"));
        }
        tick(*first, "Timer10", 120);
        tick(*first, "Timer3", int(spread.size()));
        QVERIFY(rollTexts(*first) != kFirstLines);
        QCOMPARE(control<QLineEdit>(*first, "Text1")->text(), assembledCredit());

        QSignalSpy closed(first.get(), &About::closed);
        if (byButton)
            QTest::mouseClick(control(*first, "Command1"), Qt::LeftButton);
        else
            QVERIFY(first->close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!first->isVisible());
        for (QTimer *clock : first->findChildren<QTimer *>())
            QVERIFY2(!clock->isActive(), qPrintable(clock->objectName()));

        std::unique_ptr<About> fresh;
        About *second = first.get();
        if (!sameWindow) {
            fresh = std::make_unique<About>();
            second = fresh.get();
        }
        // Loaded afresh as it shows; all but the credit's timer are held from there on.
        second->show();
        for (const char *name : {"Timer1", "Timer10", "Timer2"}) {
            QVERIFY2(timer(*second, name)->isActive(), name);
            timer(*second, name)->stop();
        }
        QVERIFY(timer(*second, "Timer3")->isActive());
        QCOMPARE(rollTexts(*second), kFirstLines);
        QCOMPARE(control(*second, "Label1")->geometry(), labelPlace(6600, 1920));
        QCOMPARE(control(*second, "Label4")->geometry(), labelPlace(6630, 3840));
        QCOMPARE(textColour(control(*second, "Label1")), QApplication::palette().color(QPalette::HighlightedText));
        QCOMPARE(second->windowTitle(), AboutText::Caption);
        QCOMPARE(control<QLineEdit>(*second, "Text1")->text(), spread);
        // The window's own credit timer is at work; the test finishes the line.
        QTRY_VERIFY_WITH_TIMEOUT(control<QLineEdit>(*second, "Text1")->text() != spread, 2000);
        timer(*second, "Timer3")->stop();
        tick(*second, "Timer3", int(spread.size()));
        QCOMPARE(control<QLineEdit>(*second, "Text1")->text(), assembledCredit());

        AboutColours expected = AboutColours::program();
        for (int i = 0; i < 3; ++i) {
            const AboutColours::Step step = expected.next();
            tick(*second, "Timer1");
            QCOMPARE(textColour(control(*second, "Label1")), step.first);
            QCOMPARE(textColour(control(*second, "Label3")), step.third);
            firstColours << step.first;
        }
        // Six steps in a row of the eight-colour cycle, across both openings.
        const auto start = cycle.indexOf(firstColours.first());
        QVERIFY(start >= 0);
        for (int i = 0; i < firstColours.size(); ++i)
            QCOMPARE(firstColours.at(i), cycle.at((start + i) % cycle.size()));
    }

    // The cycle is never seeded: two runs of it agree from the start, and
    // its opening colours are those of the unseeded generator.
    void colourSequenceIsTheSameAtEveryRun()
    {
        AboutColours one;
        AboutColours two;
        const QList<QColor> firstLabel{QColor(0, 0, 0),     QColor(0, 128, 0),     QColor(128, 0, 0),
                                       QColor(128, 128, 0), QColor(128, 128, 128), QColor(0, 255, 0),
                                       QColor(255, 0, 0),   QColor(255, 255, 0)};
        const QList<QColor> thirdLabel{QColor(0, 22, 153), QColor(227, 247, 48), QColor(131, 101, 67)};
        for (int i = 0; i < 40; ++i) {
            const AboutColours::Step a = one.next();
            const AboutColours::Step b = two.next();
            QCOMPARE(a.first, b.first);
            QCOMPARE(a.third, b.third);
            QCOMPARE(a.first, firstLabel.at(i % 8));
            if (i < thirdLabel.size())
                QCOMPARE(a.third, thirdLabel.at(i));
            QCOMPARE(one.index(), qint16(i % 8 * 2 + 2));
        }
    }

    // The title rule: a caption too wide loses its first letter every tick,
    // one of six letters gains a blank in front every tick; the window's own
    // five-letter caption stays as it is.
    // The first and third lines change colour every tick, through colours of
    // every lightness: each must read on the panel behind it.
    void everyColourOfTheRollReads()
    {
        About window;
        holdTimers(window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int step = 0; step < 40; ++step) {
            tick(window, "Timer1");
            const QImage shown = window.grab().toImage();
            for (const char *name : {"Label1", "Label3"}) {
                QLabel *label = control<QLabel>(window, name);
                const QRect area(label->pos(), label->size());
                const LookCheck::Ink ink = LookCheck::measureInk(shown, area);
                QVERIFY(ink.valid);
                QVERIFY2(ink.ratio >= 3.0, qPrintable(QStringLiteral("%1 in %2 on %3: %4:1")
                                                          .arg(QLatin1String(name), textColour(label).name(),
                                                               ink.background.name())
                                                          .arg(ink.ratio)));
            }
        }
    }

    void titleRule_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("afterTicks");
        const QString wide = QString(200, QLatin1Char('w'));
        QTest::newRow("own caption") << AboutText::Caption << QStringList{AboutText::Caption, AboutText::Caption};
        QTest::newRow("six letters") << QStringLiteral("abcdef")
                                     << QStringList{QStringLiteral(" abcdef"), QStringLiteral("  abcdef")};
        QTest::newRow("too wide") << wide << QStringList{wide.mid(1), wide.mid(2)};
    }

    void titleRule()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, afterTicks);
        About window;
        holdTimers(window);
        window.setWindowTitle(title);
        for (const QString &expected : afterTicks) {
            tick(window, "Timer2");
            QCOMPARE(window.windowTitle(), expected);
        }
    }
};

QObject *makeTestAbout()
{
    return new TestAbout;
}

#include "tst_about.moc"
