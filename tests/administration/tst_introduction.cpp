#include "administration/frmravansanji.h"
#include "administration/sheettext.h"
#include "support/controls.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "ui/twips.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

namespace {

const QString kHeading = QStringLiteral("روايي و پايايي مقياس انگيزه شغلي ");

}  // namespace

class TestIntroduction : public QObject
{
    Q_OBJECT

private slots:
    void opensThemedWithTheText()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QVERIFY(folder.setTheme(QStringLiteral("3")));
        ScriptedPrompts scripted;
        Frmravansanji window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The title as the operator reads it in the title bar.
        QCOMPARE(window.windowTitle(), QStringLiteral("معرفي پرسشنامه"));
        QCOMPARE(window.pos(), twipsPoint(2340, 200));
        QCOMPARE(window.size(), QSize(twips(10650), twips(9255)));
        QCOMPARE(window.skin().fileName(), SkinFileForTheme(3));
        QCOMPARE(window.palette().color(QPalette::Window), window.skin().palette().color(QPalette::Window));
        for (const char *name : {"Frame1", "SkinLabel2", "SkinLabel1", "Command1"})
            QVERIFY2(control(window, name)->isVisible(), name);
        // Everything shown is seen whole: inside its parent, its text within it.
        const QStringList clipped = clippedControls(&window);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
        QCOMPARE(control<QLabel>(window, "SkinLabel2")->text(), SheetText::SkinLabel2Text);
        QCOMPARE(control<QPushButton>(window, "Command1")->text(), SheetText::Command1Caption);
        QVERIFY(!control(window, "Label1")->isVisible());
        QVERIFY(!control(window, "Text1")->isVisible());

        auto *text = control<QLabel>(window, "SkinLabel1");
        QCOMPARE(control<QLabel>(window, "Label1")->text(), Frmravansanji::introductionText());
        // Shown with closer lines, as paragraphs: the same words and blanks, line for line.
        QTextDocument shown;
        shown.setHtml(text->text());
        QCOMPARE(shown.toPlainText(), Frmravansanji::introductionText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(text->font().family(), QStringLiteral("B Nazanin"));
        QCOMPARE(text->font().pointSizeF(), 15.75);
        // The whole text fits the label: nothing is cut off at the bottom.
        QVERIFY2(text->heightForWidth(text->width()) <= text->height(),
                 qPrintable(QStringLiteral("%1 > %2").arg(text->heightForWidth(text->width())).arg(text->height())));
        QVERIFY(scripted.shown().isEmpty());
    }

    void textHasFiveLinesAndTheFigures_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("figure");
        QTest::newRow("Cronbach, Hamedan") << 3 << QStringLiteral("0.83");
        for (const char *figure : {"0.81", "0.85", "0.89", "0.80", "0.72", "0.78", "30"})
            QTest::newRow(figure) << 4 << QString::fromLatin1(figure);
    }

    void textHasFiveLinesAndTheFigures()
    {
        QFETCH(int, line);
        QFETCH(QString, figure);
        const QString text = Frmravansanji::introductionText();
        QCOMPARE(text.count(QLatin1Char('\n')), 4);
        QCOMPARE(text.count(QStringLiteral("\r\n")), 4);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(0), SheetText::SkinLabel2Text);
        QCOMPARE(lines.at(2), kHeading);
        for (const QString &each : lines)
            QVERIFY(!each.trimmed().isEmpty());
        // Whole figures only: 0.8 must not pass for 0.81.
        const QRegularExpression whole(QStringLiteral("(^|[^0-9.])%1($|[^0-9])").arg(QRegularExpression::escape(figure)));
        QVERIFY2(lines.at(line).contains(whole), qPrintable(figure));
    }

    // Our own lines use the Persian ye and kaf and one style of digits; only
    // the title and the heading keep the letters they were given with.
    void ownLinesUsePersianLettersAndOneDigitStyle()
    {
        const QStringList lines = Frmravansanji::introductionText().split(QStringLiteral("\r\n"));
        QString digitStyles;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            for (const QChar c : lines.at(i)) {
                if (i != 0 && i != 2)
                    QVERIFY2(c != QChar(0x064A) && c != QChar(0x0643), qPrintable(QStringLiteral("line %1").arg(i)));
                const QChar style = c.isDigit() ? (c.unicode() < 128 ? QLatin1Char('a') : QLatin1Char('p')) : QChar();
                if (!style.isNull() && !digitStyles.contains(style))
                    digitStyles += style;
            }
        }
        QCOMPARE(digitStyles.size(), 1);
    }

    void exitClosesAndSaysSo_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("exit button") << true;
        QTest::newRow("close box") << false;
    }

    void exitClosesAndSaysSo()
    {
        QFETCH(bool, byButton);
        ProgramFolder folder;
        ScriptedPrompts scripted;
        Frmravansanji window;
        QSignalSpy closed(&window, &Frmravansanji::closed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (byButton)
            QTest::mouseClick(control<QPushButton>(window, "Command1"), Qt::LeftButton);
        else
            QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(closed.count(), 1);
        QVERIFY(scripted.shown().isEmpty());
    }
};

QObject *makeTestIntroduction()
{
    return new TestIntroduction;
}

#include "tst_introduction.moc"
