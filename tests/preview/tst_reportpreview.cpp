#include "preview/previewpages.h"
#include "preview/reportpreview.h"
#include "support/controls.h"
#include "support/dialogs.h"
#include "support/sampletable.h"
#include "support/scriptedprompts.h"
#include "support/testmain.h"
#include "ui/clock.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPdfDocument>
#include <QPointer>
#include <QPrintDialog>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using SampleTable::tableDesign;
using SampleTable::tableRows;

class TestReportPreview : public QObject
{
    Q_OBJECT

private slots:
    void previewOpensBesideItsOwnerAndPages()
    {
        QWidget owner;
        owner.show();
        QPointer<ReportPreview> preview = ReportPreview::show(tableDesign(), tableRows(100), &owner);
        QVERIFY(preview->isWindow());
        QCOMPARE(preview->windowModality(), Qt::NonModal);
        QVERIFY(preview->windowTitle().contains(QStringLiteral("Sample")));
        QCOMPARE(preview->reportLayout().pageCount(), 4);
        QVERIFY(control<QLabel>(preview, "PageCount")->text().contains(QStringLiteral("4")));
        auto *number = control<QSpinBox>(preview, "PageNumber");
        QCOMPARE(number->maximum(), 4);
        QCOMPARE(number->value(), 1);
        QVERIFY(!control(preview, "PreviousPage")->isEnabled());

        QSignalSpy pages(preview.data(), &ReportPreview::pageChanged);
        click(preview, "NextPage");
        QCOMPARE(preview->currentPage(), 1);
        QCOMPARE(number->value(), 2);
        number->setValue(4);
        QCOMPARE(preview->currentPage(), 3);
        QVERIFY(!control(preview, "NextPage")->isEnabled());
        click(preview, "PreviousPage");
        QCOMPARE(preview->currentPage(), 2);
        QCOMPARE(pages.size(), 3);

        // Scrolling by hand moves the page number along.
        auto *area = control<PreviewPages>(preview, "Pages");
        area->verticalScrollBar()->setValue(0);
        QCOMPARE(number->value(), 1);
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum() / 2);
        QVERIFY(number->value() > 1 && number->value() < 4);

        preview->close();
        QTRY_VERIFY(preview.isNull());
        QVERIFY(owner.isVisible());
    }

    // The preview closes by its own button, by Escape and by Ctrl+W.
    void previewClosesByButtonAndKeys_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << QStringLiteral("button");
        QTest::newRow("Escape") << QStringLiteral("Escape");
        QTest::newRow("Ctrl+W") << QStringLiteral("Ctrl+W");
    }
    void previewClosesByButtonAndKeys()
    {
        QFETCH(QString, how);
        QWidget owner;
        owner.show();
        QPointer<ReportPreview> preview = ReportPreview::show(tableDesign(), tableRows(10), &owner);
        preview->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(preview));
        if (how == QLatin1String("button"))
            click(preview, "Close");
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : preview.data(), Qt::Key_Escape);
        else
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : preview.data(), Qt::Key_W,
                            Qt::ControlModifier);
        QTRY_VERIFY(preview.isNull());
        QVERIFY(owner.isVisible());
    }

    void zoomButtonsAndFitWidth()
    {
        ReportPreview preview(tableDesign(), tableRows(10));
        preview.show();
        auto *area = control<PreviewPages>(preview, "Pages");
        const qreal fitted = preview.zoom();
        QVERIFY(qAbs(fitted - area->widthZoom()) < 1e-9);
        click(preview, "ZoomIn");
        QVERIFY(preview.zoom() > fitted);
        click(preview, "ZoomOut");
        click(preview, "ZoomOut");
        QVERIFY(preview.zoom() < fitted);
        click(preview, "FitWidth");
        QCOMPARE(preview.zoom(), fitted);
        // Once fitted, the page follows the window's width.
        preview.resize(preview.width() + 200, preview.height());
        QTRY_VERIFY(preview.zoom() > fitted);
        QVERIFY(qAbs(preview.zoom() - area->widthZoom()) < 1e-9);
    }

    void savePdf_data()
    {
        QTest::addColumn<QString>("answer");  // relative to a fresh folder; "-" for none
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("refused");
        QTest::newRow("cancelled") << QStringLiteral("-") << QString() << false;
        QTest::newRow("named") << QStringLiteral("out.pdf") << QStringLiteral("out.pdf") << false;
        QTest::newRow("without extension") << QStringLiteral("out") << QStringLiteral("out.pdf") << false;
        QTest::newRow("missing folder") << QStringLiteral("missing/out.pdf") << QString() << true;
    }

    void savePdf()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(bool, refused);
        QTemporaryDir folder;
        ScriptedPrompts scripted;
        Clock::fixAt(QDateTime(QDate(2014, 9, 23), QTime(10, 0)));
        ReportPreview preview(tableDesign(), tableRows(40));
        preview.show();
        scripted.expectSaveFile(answer == QLatin1String("-") ? QString() : folder.filePath(answer));
        if (refused)
            scripted.expectMessage();
        click(preview, "SavePdf");
        Clock::release();

        QCOMPARE(scripted.shown().first().kind, QStringLiteral("save"));
        // Nothing of its own asks before a PDF that is there is replaced: the dialog asks.
        QCOMPARE(scripted.shown().first().replace, Prompts::Replace::Ask);
        // The report's name and the solar date, in a folder that is there.
        const QFileInfo suggested(scripted.shown().first().text);
        QCOMPARE(suggested.fileName(), QStringLiteral("Sample-1393-07-01.pdf"));
        QVERIFY(suggested.isAbsolute() && suggested.dir().exists());
        if (refused) {
            QCOMPARE(scripted.shown().last().caption, QStringLiteral("خطا"));
            QCOMPARE(scripted.shown().last().icon, Prompts::Icon::Critical);
        }
        QCOMPARE(scripted.unexpected(), QStringList());
        const QStringList files = QDir(folder.path()).entryList(QDir::Files);
        QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
        if (!written.isEmpty()) {
            QPdfDocument pdf;
            QCOMPARE(pdf.load(folder.filePath(written)), QPdfDocument::Error::None);
            QCOMPARE(pdf.pageCount(), 2);
        }
    }

    void printOffersEveryPageAndCancelDoesNothing()
    {
        ScriptedPrompts scripted;
        ReportPreview preview(tableDesign(), tableRows(100));
        preview.show();
        int offeredLast = 0;
        whenModal<QPrintDialog>([&](QPrintDialog *dialog) {
            offeredLast = dialog->maxPage();
            dialog->reject();
        });
        click(preview, "Print");
        QCOMPARE(offeredLast, 4);
        QVERIFY(scripted.shown().isEmpty());
        QVERIFY(preview.isVisible());
    }

    // A hundred thousand rows open at once: only the pages in view are painted.
    void previewOfManyPagesPaintsOnlyThoseInView()
    {
        ReportPreview preview(tableDesign(), tableRows(100000));
        preview.show();
        const int pageCount = preview.reportLayout().pageCount();
        QVERIFY(pageCount > 2900);
        auto *area = control<PreviewPages>(preview, "Pages");
        QVERIFY(!preview.grab().isNull());
        QVERIFY(area->lastPainted().contains(0));
        QVERIFY(area->lastPainted().size() <= 2);

        control<QSpinBox>(preview, "PageNumber")->setValue(pageCount);
        QCOMPARE(preview.currentPage(), pageCount - 1);
        const qint64 paintedBefore = area->paintedPages();
        preview.grab();
        QVERIFY(area->lastPainted().contains(pageCount - 1));
        QVERIFY(area->lastPainted().size() <= 2);
        QCOMPARE(area->paintedPages() - paintedBefore, area->lastPainted().size());
    }
};

QUORVEL_TEST_MAIN(TestReportPreview)

#include "tst_reportpreview.moc"
