#include "administration/administrationtext.h"
#include "administration/frmq.h"
#include "administration/sheettext.h"
#include "support/controls.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFile>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSelection>
#include <QPdfView>
#include <QSignalSpy>
#include <QTest>

namespace {

// One page: title, instructions and the table of twenty items.
constexpr int kSheetPages = 1;

QString builtSheet()
{
    return qEnvironmentVariable("QUORVEL_PROGRAM_TEMPLATE") + QStringLiteral("/qu.pdf");
}

// Pixels of pure white: the face of a rendered page, never the viewer's themed background.
int whitePixels(QWidget *viewer)
{
    const QImage image = viewer->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(255, 255, 255);
    return count;
}

// Text as read back from a PDF: presentation forms folded, Arabic and Persian
// yeh and kaf as one, digits in ASCII, no zero-width non-joiners, single blanks.
QString comparable(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC);
    folded.remove(QChar(0x200C));
    folded.replace(QChar(0x064A), QChar(0x06CC)).replace(QChar(0x0643), QChar(0x06A9));
    for (QChar &c : folded) {
        if (c.unicode() >= 0x0660 && c.unicode() <= 0x0669)
            c = QChar(u'0' + (c.unicode() - 0x0660));
        else if (c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9)
            c = QChar(u'0' + (c.unicode() - 0x06F0));
    }
    return folded.simplified();
}

QStringList itemTexts()
{
    QFile file(QStringLiteral(QUORVEL_ITEMS_FILE));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

class TestQuestionSheet : public QObject
{
    Q_OBJECT

private slots:
    void builtSheetHoldsTheTwentyItems()
    {
        QPdfDocument sheet;
        QCOMPARE(sheet.load(builtSheet()), QPdfDocument::Error::None);
        QCOMPARE(sheet.pageCount(), kSheetPages);
        QString all;
        for (int page = 0; page < sheet.pageCount(); ++page)
            all += sheet.getAllText(page).text() + QLatin1Char('\n');
        const QString text = comparable(all);

        for (const QString &heading : {AdministrationText::SkinLabel3Text, AdministrationText::Option1Caption,
                                       AdministrationText::Option2Caption, AdministrationText::Option3Caption,
                                       AdministrationText::Option4Caption})
            QVERIFY2(text.contains(comparable(heading)), qPrintable(heading));
        const QStringList items = itemTexts();
        QCOMPARE(items.size(), 20);
        // Each item whole, after its number, and in the order of the file.
        qsizetype previous = -1;
        for (int number = 1; number <= items.size(); ++number) {
            const QString numbered = comparable(QStringLiteral("%1 %2").arg(number).arg(items.at(number - 1)));
            const qsizetype at = text.indexOf(numbered);
            QVERIFY2(at > previous, qPrintable(numbered));
            previous = at;
        }
    }

    void showsTheSheetFromPageOne()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QVERIFY(folder.setTheme(QStringLiteral("7")));
        QVERIFY(QFile::copy(builtSheet(), folder.filePath(QStringLiteral("qu.pdf"))));
        ScriptedPrompts scripted;
        FrmQ window;
        QSignalSpy closed(&window, &FrmQ::closed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The title as the operator reads it in the title bar.
        QCOMPARE(window.windowTitle(), QStringLiteral("سوالات"));
        QCOMPARE(window.pos(), twipsPoint(2340, 200));
        QCOMPARE(window.size(), QSize(twips(10365), twips(9045)));
        QCOMPARE(window.skin().fileName(), SkinFileForTheme(7));
        QCOMPARE(window.palette().color(QPalette::Window), window.skin().palette().color(QPalette::Window));
        QCOMPARE(FrmQ::sheetPath(), folder.filePath(QStringLiteral("qu.pdf")));

        auto *viewer = control<QPdfView>(window, "WebBrowser1");
        QCOMPARE(viewer->geometry(), twipsRect(180, 300, 9855, 8355));
        QCOMPARE(viewer->document(), window.document());
        QCOMPARE(window.document()->status(), QPdfDocument::Status::Ready);
        QCOMPARE(window.document()->pageCount(), kSheetPages);
        QCOMPARE(viewer->pageNavigator()->currentPage(), 0);
        // The page is drawn, not merely loaded.
        QTRY_VERIFY(whitePixels(viewer) > viewer->width() * viewer->height() / 4);

        QVERIFY(window.close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(scripted.shown().isEmpty());
    }

    void badSheetLeavesTheViewerEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("garbage") << QByteArray("This is not a PDF document.\n").repeated(50) << true;
    }

    void badSheetLeavesTheViewerEmpty()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        if (exists) {
            QFile sheet(folder.filePath(QStringLiteral("qu.pdf")));
            QVERIFY(sheet.open(QIODevice::WriteOnly));
            QCOMPARE(sheet.write(content), content.size());
        }
        ScriptedPrompts scripted;
        FrmQ window;
        QSignalSpy closed(&window, &FrmQ::closed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *viewer = control<QPdfView>(window, "WebBrowser1");
        QVERIFY(viewer->isVisible());
        QCOMPARE(window.document()->status(), QPdfDocument::Status::Error);
        QCOMPARE(window.document()->pageCount(), 0);
        QTest::qWait(100);
        QCOMPARE(whitePixels(viewer), 0);
        QVERIFY(scripted.shown().isEmpty());
        QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(&window));

        QVERIFY(window.close());
        QCOMPARE(closed.count(), 1);
    }
};

QObject *makeTestQuestionSheet()
{
    return new TestQuestionSheet;
}

#include "tst_questionsheet.moc"
