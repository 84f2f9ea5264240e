#include "app/exitpro.h"
#include "app/exitprotext.h"
#include "support/controls.h"
#include "ui/picturebox.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestExitpro : public QObject
{
    Q_OBJECT

    // A point of the window with no control under it.
    static QPoint bareSpot() { return twipsPoint(150, 150); }

    static void hover(QWidget *window, QPoint at)
    {
        QTest::mouseMove(window, at);
        QApplication::processEvents();
    }

    static void hoverOver(exitpro &window, const char *face)
    {
        hover(&window, control(window, face)->geometry().center());
    }

    // Which of the four faces show, in the order C1, C2, k1, k2.
    static QString shownFaces(const exitpro &window)
    {
        QString shown;
        for (const char *face : {"C1", "C2", "k1", "k2"})
            shown += control(window, face)->isVisible() ? QLatin1Char('+') : QLatin1Char('-');
        return shown;
    }

    static void sendClick(QWidget *widget)
    {
        const QPointF at = QPointF(widget->rect().center());
        const QPointF global = QPointF(widget->mapToGlobal(at.toPoint()));
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }

    // Shows the window with the pointer resting on its bare background, where
    // no earlier test's pointer lights a face.
    static void showAndWait(QWidget &window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        hover(&window, bareSpot());
    }

private slots:
    void controlsAreLaidOut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("shownAtStart");
        QTest::newRow("Label1") << QStringLiteral("Label1") << twipsRect(360, 480, 3552, 1032) << true;
        QTest::newRow("Check1") << QStringLiteral("Check1") << twipsRect(840, 1440, 2475, 375) << true;
        QTest::newRow("k1") << QStringLiteral("k1") << twipsRect(2460, 2220, 1440, 525) << true;
        QTest::newRow("k2") << QStringLiteral("k2") << twipsRect(2460, 2220, 1440, 525) << false;
        QTest::newRow("C1") << QStringLiteral("C1") << twipsRect(360, 2220, 1440, 525) << true;
        QTest::newRow("C2") << QStringLiteral("C2") << twipsRect(360, 2220, 1440, 525) << false;
    }

    void controlsAreLaidOut()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(bool, shownAtStart);
        exitpro window;
        auto *widget = window.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->isHidden(), !shownAtStart);
        showAndWait(window);
        QCOMPARE(widget->parentWidget(), &window);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->isVisible(), shownAtStart);
        if (auto *face = qobject_cast<PictureBox *>(widget)) {
            QCOMPARE(face->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(!face->pixmap().isNull());
        }
    }

    void windowAndTextsAreAsTheOperatorKnowsThem()
    {
        // Checked before the event loop runs, as the timers soon change the title.
        QWidget owner;
        exitpro window(&owner);
        // The title as the operator reads it in the title bar.
        QCOMPARE(window.windowTitle(), QStringLiteral("تهيه نسخه پشتيبان"));
        QVERIFY(window.isWindow());
        QCOMPARE(window.objectName(), QStringLiteral("exitpro"));
        QCOMPARE(window.size(), QSize(twips(4575), twips(3360)));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.pos(), twipsPoint(5000, 4500));

        auto *label = control<QLabel>(window, "Label1");
        QCOMPARE(label->text(), ExitproText::Label1Text);
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QVERIFY(label->wordWrap());
        QCOMPARE(label->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(label->font().pointSizeF(), 13.5);
        QVERIFY(label->font().bold());

        auto *box = control<QCheckBox>(window, "Check1");
        QCOMPARE(box->text(), ExitproText::Check1Text);
        QVERIFY(!box->isChecked());
        QCOMPARE(box->font().family(), QStringLiteral("B Nazanin"));
        QCOMPARE(box->font().pointSize(), 12);
        QVERIFY(box->font().bold());

        for (const char *name : {"Timer2", "Timer3", "tmCaptionAnimate"}) {
            auto *timer = window.findChild<QTimer *>(QString::fromLatin1(name));
            QVERIFY2(timer, name);
            QCOMPARE(timer->interval(), 500);
            QVERIFY2(timer->isActive(), name);
        }
    }

    // No theme dresses this window, and its colours hold under an
    // application-wide style sheet too.
    void coloursAreItsOwn_data()
    {
        QTest::addColumn<QString>("appStyle");
        QTest::newRow("plain") << QString();
        QTest::newRow("application style sheet")
            << QStringLiteral("QWidget { background-color: rgb(20, 30, 40); color: rgb(250, 250, 0); }");
    }

    void coloursAreItsOwn()
    {
        QFETCH(QString, appStyle);
        const QString previous = qApp->styleSheet();
        qApp->setStyleSheet(appStyle);
        const QColor teal(0, 192, 192);
        {
            exitpro window;
            showAndWait(window);
            const QImage shot = window.grab().toImage();
            QCOMPARE(shot.pixelColor(bareSpot()), teal);
            // The label and the rounded corners of a face let the window's colour through.
            QCOMPARE(shot.pixelColor(control(window, "Label1")->geometry().topLeft() + QPoint(2, 2)), teal);
            QCOMPARE(shot.pixelColor(control(window, "C1")->geometry().topLeft()), teal);
            auto *box = control<QCheckBox>(window, "Check1");
            QCOMPARE(shot.pixelColor(box->geometry().topLeft() + QPoint(1, 1)), QColor(192, 255, 255));
            QCOMPARE(box->palette().color(QPalette::WindowText), QColor(128, 64, 64));
        }
        qApp->setStyleSheet(previous);
    }

    void hoverLightsOneFaceAndTheBareWindowPutsThemBack()
    {
        exitpro window;
        showAndWait(window);
        QCOMPARE(shownFaces(window), QStringLiteral("+-+-"));

        hoverOver(window, "C1");
        QCOMPARE(shownFaces(window), QStringLiteral("-++-"));
        // Moving on over the lit face keeps it lit.
        hover(&window, control(window, "C2")->geometry().center() + QPoint(5, 3));
        QCOMPARE(shownFaces(window), QStringLiteral("-++-"));
        hover(&window, bareSpot());
        QCOMPARE(shownFaces(window), QStringLiteral("+-+-"));

        hoverOver(window, "k1");
        QCOMPARE(shownFaces(window), QStringLiteral("+--+"));
        hover(&window, bareSpot() + QPoint(3, 0));
        QCOMPARE(shownFaces(window), QStringLiteral("+-+-"));

        // A jump straight from one button to the other lights only the one below the pointer.
        hoverOver(window, "k1");
        hoverOver(window, "C1");
        QCOMPARE(shownFaces(window), QStringLiteral("-++-"));
        hoverOver(window, "k1");
        QCOMPARE(shownFaces(window), QStringLiteral("+--+"));
    }

    // A resting face only lights up; only a lit face answers a click.
    void restingFacesIgnoreClicks_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("C1") << QStringLiteral("C1");
        QTest::newRow("k1") << QStringLiteral("k1");
    }

    void restingFacesIgnoreClicks()
    {
        QFETCH(QString, face);
        exitpro window;
        showAndWait(window);
        QSignalSpy confirmed(&window, &exitpro::confirmed);
        QSignalSpy cancelled(&window, &exitpro::cancelled);
        QSignalSpy dismissed(&window, &exitpro::dismissed);
        QVERIFY(window.findChild<QWidget *>(face)->isVisible());
        sendClick(window.findChild<QWidget *>(face));
        QApplication::processEvents();
        QCOMPARE(confirmed.count() + cancelled.count() + dismissed.count(), 0);
        QVERIFY(window.isVisible());
    }

    void confirmTellsWhetherToBackUp_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("staysVisible");
        QTest::newRow("without backup") << false << true;
        QTest::newRow("with backup") << true << false;
    }

    // A click anywhere in the check box's rectangle toggles it, whichever of its texts it shows.
    void checkBoxTogglesAnywhereInItsRectangle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("across");
        for (const QString &text : {ExitproText::Check1Text, ExitproText::TakingBackup, ExitproText::BackingUp})
            for (const double across : {0.02, 0.25, 0.5, 0.98})
                QTest::addRow("%s at %.2f", qPrintable(text), across) << text << across;
    }
    void checkBoxTogglesAnywhereInItsRectangle()
    {
        QFETCH(QString, text);
        QFETCH(double, across);
        exitpro window;
        showAndWait(window);
        auto *box = control<QCheckBox>(window, "Check1");
        box->setText(text);
        const QPoint at(qRound(box->width() * across), box->height() / 2);
        QTest::mouseClick(box, Qt::LeftButton, {}, at);
        QVERIFY(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, at);
        QVERIFY(!box->isChecked());
    }

    void confirmTellsWhetherToBackUp()
    {
        QFETCH(bool, tick);
        QFETCH(bool, staysVisible);
        exitpro window;
        showAndWait(window);
        QSignalSpy confirmed(&window, &exitpro::confirmed);
        QSignalSpy cancelled(&window, &exitpro::cancelled);
        QSignalSpy dismissed(&window, &exitpro::dismissed);
        if (tick)
            QTest::mouseClick(control(window, "Check1"), Qt::LeftButton);
        QCOMPARE(control<QCheckBox>(window, "Check1")->isChecked(), tick);

        hoverOver(window, "k1");
        QTest::mouseClick(control(window, "k2"), Qt::LeftButton);
        QCOMPARE(confirmed.count(), 1);
        QCOMPARE(confirmed.first().first().toBool(), tick);
        QCOMPARE(window.isVisible(), staysVisible);
        QCOMPARE(cancelled.count(), 0);
        // Answered: closing it afterwards is not a dismissal.
        window.close();
        QCOMPARE(dismissed.count(), 0);
    }

    // By keyboard alone: Tab goes from the box to تأیید and then انصراف,
    // Space or Enter presses the focused one, Enter elsewhere confirms and
    // Escape cancels. Both pictures are buttons with names for screen readers.
    void keyboardAnswersTheConfirmation_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("answer");  // "confirm", "confirm with backup" or "cancel"
        QTest::newRow("Enter") << QList<int>{Qt::Key_Return} << QStringLiteral("confirm");
        QTest::newRow("Space ticks the box, Enter") << QList<int>{Qt::Key_Space, Qt::Key_Enter}
                                                  << QStringLiteral("confirm with backup");
        QTest::newRow("Tab to confirm, Space") << QList<int>{Qt::Key_Tab, Qt::Key_Space} << QStringLiteral("confirm");
        QTest::newRow("Tab twice to cancel, Enter") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}
                                                    << QStringLiteral("cancel");
        QTest::newRow("Escape") << QList<int>{Qt::Key_Escape} << QStringLiteral("cancel");
    }
    void keyboardAnswersTheConfirmation()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, answer);
        exitpro window;
        showAndWait(window);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy confirmed(&window, &exitpro::confirmed);
        QSignalSpy cancelled(&window, &exitpro::cancelled);
        for (int key : keys) {
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused);
            QTest::keyClick(focused, Qt::Key(key));
        }
        if (answer == QLatin1String("cancel")) {
            QCOMPARE(cancelled.count(), 1);
            QCOMPARE(confirmed.count(), 0);
        } else {
            QCOMPARE(cancelled.count(), 0);
            QCOMPARE(confirmed.count(), 1);
            QCOMPARE(confirmed.first().first().toBool(), answer == QLatin1String("confirm with backup"));
        }
        for (const auto &[face, name] : {std::pair{"k1", ExitproText::ConfirmName}, std::pair{"C1", ExitproText::CancelName}}) {
            QAccessibleInterface *button = QAccessible::queryAccessibleInterface(control(window, face));
            QVERIFY(button);
            QCOMPARE(button->role(), QAccessible::Button);
            QCOMPARE(button->text(QAccessible::Name), name);
        }
    }

    void cancelAndClosingEndTheWindowDifferently()
    {
        {
            exitpro window;
            showAndWait(window);
            QSignalSpy confirmed(&window, &exitpro::confirmed);
            QSignalSpy cancelled(&window, &exitpro::cancelled);
            QSignalSpy dismissed(&window, &exitpro::dismissed);
            hoverOver(window, "C1");
            QTest::mouseClick(control(window, "C2"), Qt::LeftButton);
            QCOMPARE(cancelled.count(), 1);
            QVERIFY(!window.isVisible());
            QCOMPARE(confirmed.count(), 0);
            QCOMPARE(dismissed.count(), 0);
        }
        {
            exitpro window;
            showAndWait(window);
            QSignalSpy confirmed(&window, &exitpro::confirmed);
            QSignalSpy cancelled(&window, &exitpro::cancelled);
            QSignalSpy dismissed(&window, &exitpro::dismissed);
            QVERIFY(window.close());
            QCOMPARE(dismissed.count(), 1);
            QVERIFY(!window.isVisible());
            QCOMPARE(confirmed.count() + cancelled.count(), 0);
        }
    }

    // Watches for up to a few ticks: the title takes both phrases in turn,
    // the box's text follows it, and the box stays ticked.
    void titleAndBoxTextTakeTurns()
    {
        exitpro window;
        QStringList titles{window.windowTitle()};
        showAndWait(window);
        auto *box = control<QCheckBox>(window, "Check1");
        box->setChecked(true);
        const QStringList phrases{ExitproText::TakingBackup, ExitproText::BackingUp};
        QSet<QString> boxTexts;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 3000) {
            QTest::qWait(40);
            QVERIFY(box->isChecked());
            if (window.windowTitle() != titles.last())
                titles << window.windowTitle();
            if (phrases.contains(box->text()))
                boxTexts << box->text();
            if (titles.size() >= 4 && boxTexts.size() == 2)
                break;
        }
        // The starting caption, then the two phrases taking turns.
        QCOMPARE(titles.value(0), ExitproText::Caption);
        QCOMPARE(titles.mid(1, 3), (QStringList{phrases[0], phrases[1], phrases[0]}));
        QCOMPARE(boxTexts.size(), 2);
        QVERIFY(phrases.contains(box->text()) || box->text() == ExitproText::Check1Text);
    }

    // A title too short to show is put back before the box can take it.
    void shortTitleIsPutBack()
    {
        exitpro window;
        showAndWait(window);
        for (const char *turn : {"Timer2", "Timer3"})
            window.findChild<QTimer *>(QString::fromLatin1(turn))->stop();
        window.setWindowTitle(QStringLiteral("x"));
        QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(), ExitproText::TakingBackup, 2000);
        QCOMPARE(control<QCheckBox>(window, "Check1")->text(), ExitproText::Check1Text);
        QTRY_COMPARE_WITH_TIMEOUT(control<QCheckBox>(window, "Check1")->text(), ExitproText::TakingBackup, 2000);
    }
};

QObject *makeTestExitpro()
{
    return new TestExitpro;
}

#include "tst_exitpro.moc"
