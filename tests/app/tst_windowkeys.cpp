// Escape and Ctrl+W close every window that has a close button or a close
// box, as that button does: the window tells its opener it closed.
#include "administration/frmq.h"
#include "administration/frmravansanji.h"
#include "analysis/frmanalysis.h"
#include "app/about.h"
#include "backup/frmbackup.h"
#include "registry/frmcode.h"
#include "scoring/frmklid.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// A window and the signal by which it tells its opener that it closed.
struct Opened {
    std::unique_ptr<QWidget> window;
    std::unique_ptr<QSignalSpy> closed;
};

template <typename Window, typename Signal>
Opened open(Signal signal)
{
    auto *window = new Window;
    return {std::unique_ptr<QWidget>(window), std::make_unique<QSignalSpy>(window, signal)};
}

}  // namespace

class TestWindowKeys : public QObject
{
    Q_OBJECT

private slots:
    void keysCloseTheWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("controlW");
        for (const char *name : {"FrmQ", "Frmravansanji", "About", "FrmCode", "FrmkLID", "FrmAnalysis", "Frmbackup"}) {
            QTest::addRow("%s, Escape", name) << QString::fromLatin1(name) << false;
            QTest::addRow("%s, Ctrl+W", name) << QString::fromLatin1(name) << true;
        }
    }
    void keysCloseTheWindow()
    {
        QFETCH(QString, window);
        QFETCH(bool, controlW);
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        ScriptedPrompts scripted;
        const std::map<QString, std::function<Opened()>> windows{
            {QStringLiteral("FrmQ"), [] { return open<FrmQ>(&FrmQ::closed); }},
            {QStringLiteral("Frmravansanji"), [] { return open<Frmravansanji>(&Frmravansanji::closed); }},
            {QStringLiteral("About"), [] { return open<About>(&About::closed); }},
            {QStringLiteral("FrmCode"), [] { return open<FrmCode>(&FrmCode::closed); }},
            {QStringLiteral("FrmkLID"), [] { return open<FrmkLID>(&FrmkLID::closed); }},
            {QStringLiteral("FrmAnalysis"), [] { return open<FrmAnalysis>(&FrmAnalysis::closed); }},
            {QStringLiteral("Frmbackup"), [] { return open<Frmbackup>(&Frmbackup::programEnds); }},
        };
        Opened opened = windows.at(window)();
        opened.window->show();
        opened.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(opened.window.get()));
        QWidget *focused = QApplication::focusWidget() ? QApplication::focusWidget() : opened.window.get();
        if (controlW)
            QTest::keyClick(focused, Qt::Key_W, Qt::ControlModifier);
        else
            QTest::keyClick(focused, Qt::Key_Escape);
        QTRY_VERIFY(!opened.window->isVisible());
        QCOMPARE(opened.closed->size(), 1);
    }
};

QObject *makeTestWindowKeys()
{
    return new TestWindowKeys;
}

#include "tst_windowkeys.moc"
