// The window states of the program, shown one after another in a fresh
// program folder, for the screenshot tool and the look checks.
#include "windowscenes.h"

#include "store/database.h"
#include "app/frm1.h"
#include "administration/frmq.h"
#include "administration/frmravansanji.h"
#include "administration/frmtest.h"
#include "analysis/frmanalysis.h"
#include "store/recordset.h"
#include "app/startup.h"
#include "app/exitpro.h"
#include "app/about.h"
#include "app/frmskin.h"
#include "backup/frmbackup.h"
#include "registry/frmcode.h"
#include "scoring/frmklid.h"
#include "preview/reportpreview.h"
#include "report/reportlayout.h"
#include "report/reportpainter.h"
#include "report/resultreports.h"
#include "ui/prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using Scene = std::function<QWidget *()>;

bool prepareFolder(const QTemporaryDir &dir, int theme)
{
    const QDir skins(QStringLiteral(QUORVEL_SKIN_DIR));
    for (const QString &name : skins.entryList({QStringLiteral("*.skn")}, QDir::Files))
        QFile::copy(skins.filePath(name), dir.filePath(name));
    QDir::setCurrent(dir.path());
    if (!Store::createDatabase(QString::fromLatin1(Store::kDatabasePath))
        || Store::openDatabase().status != Store::OpenStatus::Opened)
        return false;
    QSqlQuery query(Store::database());
    query.prepare(QStringLiteral("UPDATE \"Theme\" SET \"TH\" = ?"));
    query.addBindValue(QString::number(theme));
    return query.exec();
}

// Rests the pointer on the window itself, clear of every control, so that no
// hover look or hover help shows unless a shot asks for it.
void restPointerOnBareWindow(QWidget *window)
{
    const QRect area = window->rect().adjusted(2, 2, -2, -2);
    for (int y = area.bottom(); y >= area.top(); y -= 4)
        for (int x = area.left(); x <= area.right(); x += 4)
            if (window->childAt(x, y) == nullptr) {
                QTest::mouseMove(window, QPoint(x, y));
                return;
            }
}

// Shows the window with the pointer on its bare background, or over the
// given control when the state is about hovering over it, and hands it on.
void present(const WindowScenes::Shown &shown, QWidget *window, const QString &name, QWidget *hoverOver = nullptr)
{
    window->show();
    QTest::qWait(20);
    if (hoverOver)
        QTest::mouseMove(hoverOver);
    else
        restPointerOnBareWindow(window);
    QTest::qWait(50);
    shown(name, window);
}

// Answers the keying window's code prompt and lets notices pass unseen.
class ShotPrompts : public Prompts
{
public:
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override { return QStringLiteral("1024"); }
    bool question(QWidget *, const QString &, const QString &) override { return false; }
    void message(QWidget *, const QString &text, const QString &, Icon) override { qWarning("%s", qPrintable(text)); }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    // The file dialog takes the name it proposes, as an operator mostly does.
    QString saveFileName(QWidget *, const QString &, const QString &suggested, const QString &, Replace) override
    {
        return suggested;
    }
    void notice(QWidget *, const QString &, int) override {}
};

// Some registered subjects of several groups, most of them scored, and the clinic's details.
void addSampleSubjects()
{
    const QStringList names = {QStringLiteral("علی"), QStringLiteral("زهرا"), QStringLiteral("حسین"), QStringLiteral("فاطمه")};
    const QStringList education = {QStringLiteral("دیپلم"), QStringLiteral("کارشناسی"), QStringLiteral("کارشناسی ارشد"),
                                   QStringLiteral("دکتری")};
    QSqlQuery query(Store::database());
    query.prepare(QStringLiteral("INSERT INTO \"ide\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Jens\", "
                                 "\"Taahol\", \"Group\", \"Nomre\") VALUES (?, ?, 'محمدی', ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < 70; ++i) {
        query.addBindValue(QString::number(2000 + i));
        query.addBindValue(names.at(i % 4));
        query.addBindValue(QString::number(22 + i % 30));
        query.addBindValue(education.at(i % 4));
        query.addBindValue(i % 2 ? QStringLiteral("زن") : QStringLiteral("مرد"));
        query.addBindValue(i % 3 ? QStringLiteral("متأهل") : QStringLiteral("مجرد"));
        query.addBindValue(QString(QChar(u'A' + i % 3)));
        query.addBindValue(i % 7 == 3 ? QVariant() : QVariant(QString::number(20 + (i * 13) % 61)));
        query.exec();
    }
    QSqlQuery(Store::database()).exec(QStringLiteral(
        "UPDATE \"Theme\" SET \"Name\" = 'مرکز مشاوره و خدمات روان‌شناختی نمونه', "
        "\"Adress\" = 'تهران، خیابان نمونه، کوچه دوم، پلاک ۸'"));
}

// The keying window after scoring the sample subject, with and without its
// help panel, then the previews of both reports, and their PDF files when asked.
void showKeyingAndReports(const WindowScenes::Shown &shown, const QString &pdfFolder)
{
    ShotPrompts shotPrompts;
    Prompts *previous = setPrompts(&shotPrompts);
    {
        FrmkLID keying;
        keying.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        present(shown, &keying, QStringLiteral("frmklid-scored"));
        keying.findChild<QPushButton *>(QStringLiteral("Command2"))->click();
        present(shown, &keying, QStringLiteral("frmklid-help"));
        keying.findChild<QPushButton *>(QStringLiteral("Command7"))->click();
        for (const char *button : {"Command3", "Command6"}) {
            keying.findChild<QPushButton *>(QString::fromLatin1(button))->click();
            ReportPreview *preview = nullptr;
            for (QWidget *window : QApplication::topLevelWidgets())
                if (auto *shown = qobject_cast<ReportPreview *>(window); shown && shown->isVisible())
                    preview = shown;
            if (!preview)
                continue;
            const QString name = preview->reportLayout().pageCount() > 1 ? QStringLiteral("preview-table")
                                                                         : QStringLiteral("preview-card");
            present(shown, preview, name);
            if (!pdfFolder.isEmpty()) {
                QString error;
                if (!Report::writePdf(preview->reportLayout(), QDir(pdfFolder).filePath(name + QStringLiteral(".pdf")), name, &error))
                    qWarning("%s", qPrintable(error));
            }
            preview->close();
            QApplication::processEvents();
        }
    }
    setPrompts(previous);
}

// The backup window at rest, with its help, and part way through a copy.
void showBackupWindow(const WindowScenes::Shown &shown)
{
    QDir::current().mkpath(QStringLiteral("Back"));
    Frmbackup backup;
    // The path chosen through the file dialog, as the operator would.
    ShotPrompts shotPrompts;
    Prompts *previous = setPrompts(&shotPrompts);
    backup.findChild<QPushButton *>(QStringLiteral("b1"))->click();
    setPrompts(previous);
    present(shown, &backup, QStringLiteral("frmbackup"));
    backup.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    present(shown, &backup, QStringLiteral("frmbackup-help"));
    backup.findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    // A large database, so the copy is still running when the shot is taken.
    QSqlQuery(Store::database()).exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60000) "
        "INSERT INTO \"ide\" (\"Code\", \"FName\") SELECT 'x' || i, printf('%.200c', 'x') FROM n"));
    previous = setPrompts(&shotPrompts);
    QTimer::singleShot(0, &backup, [&] {
        shown(QStringLiteral("frmbackup-copying"), &backup);
        // The progress box of a copy that lasts, shown at once rather than after its wait.
        if (auto *box = backup.findChild<QProgressDialog *>(QStringLiteral("CopyProgress"))) {
            box->show();
            QApplication::processEvents();
            shown(QStringLiteral("frmbackup-progress"), box);
        }
    });
    backup.findChild<QPushButton *>(QStringLiteral("VisualButtonEx2"))->click();
    setPrompts(previous);
}

// The analysis window over the sample subjects, each given a complete answer
// sheet that follows its score, on its statistics, items and charts pages.
void showAnalysis(const WindowScenes::Shown &shown, const QString &pdfFolder)
{
    QSqlQuery(Store::database()).exec(QStringLiteral(
        "INSERT OR IGNORE INTO \"Answer\" (\"Code\") SELECT \"Code\" FROM \"ide\" WHERE \"Code\" LIKE '20%'"));
    // Each answer 1 to 4, higher as the score is, so that the twenty add up near it.
    for (int item = 1; item <= 20; ++item) {
        const QString column = QStringLiteral("\"%1\"").arg(item);
        const QString spread = QString::number(item * 7 % 20);
        QSqlQuery(Store::database()).exec(
            QStringLiteral("UPDATE \"Answer\" SET ") + column
            + QStringLiteral(" = (SELECT CAST(1 + (CAST(i.\"Nomre\" AS INTEGER) - 20 + ") + spread
            + QStringLiteral(") / 20 AS TEXT) FROM \"ide\" i WHERE i.\"Code\" = \"Answer\".\"Code\") "
                             "WHERE \"Code\" LIKE '20%'"));
    }
    FrmAnalysis analysis;
    auto *views = analysis.findChild<QTabWidget *>(QStringLiteral("Views"));
    present(shown, &analysis, QStringLiteral("frmanalysis"));
    views->setCurrentIndex(1);
    present(shown, &analysis, QStringLiteral("frmanalysis-items"));
    views->setCurrentIndex(2);
    present(shown, &analysis, QStringLiteral("frmanalysis-charts"));
    // The printed analysis, in its preview, and as a PDF file when asked.
    analysis.findChild<QPushButton *>(QStringLiteral("PrintAnalysis"))->click();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *preview = qobject_cast<ReportPreview *>(window);
        if (!preview || !preview->isVisible())
            continue;
        present(shown, preview, QStringLiteral("preview-analysis"));
        QString error;
        if (!pdfFolder.isEmpty()
            && !Report::writePdf(preview->reportLayout(), QDir(pdfFolder).filePath(QStringLiteral("preview-analysis.pdf")),
                                 QStringLiteral("preview-analysis"), &error))
            qWarning("%s", qPrintable(error));
        preview->close();
        QApplication::processEvents();
    }
    auto *group = analysis.findChild<QComboBox *>(QStringLiteral("GroupChooser"));
    group->setCurrentIndex(group->findText(QStringLiteral("E")));
    views->setCurrentIndex(0);
    present(shown, &analysis, QStringLiteral("frmanalysis-no-scores"));
}

// The about window some seconds on: the credit closed up, the roll moved
// round past the first wrap, the colours changed a few times.
void showAboutLater(const WindowScenes::Shown &shown, About *about)
{
    const auto tick = [about](const char *name, int times) {
        auto *timer = about->findChild<QTimer *>(QString::fromLatin1(name));
        timer->stop();
        for (int i = 0; i < times; ++i)
            QMetaObject::invokeMethod(timer, "timeout");
    };
    tick("Timer3", 2000);
    tick("Timer10", 150);
    tick("Timer1", 3);
    shown(QStringLiteral("about-rolling"), about);
}

}  // namespace

bool WindowScenes::showAll(int theme, const Shown &shown, const QString &pdfFolder)
{
    const QString previous = QDir::currentPath();
    QTemporaryDir dir;
    if (!prepareFolder(dir, theme)) {
        QDir::setCurrent(previous);
        return false;
    }
    {
        Frm1 main;
        present(shown, &main, QStringLiteral("frm1"));
        main.findChild<QPushButton *>(QStringLiteral("Command9"))->click();
        // The one shot that asks for a help line: the pointer rests on Command4.
        present(shown, &main, QStringLiteral("frm1-settings-help"),
                main.findChild<QPushButton *>(QStringLiteral("Command4")));
        main.HidePanels();
        main.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        main.findChild<QLineEdit *>(QStringLiteral("Text11"))->setText(QStringLiteral("1024"));
        main.findChild<QLineEdit *>(QStringLiteral("Text6"))->setText(QStringLiteral("مریم"));
        main.findChild<QLineEdit *>(QStringLiteral("Text4"))->setText(QStringLiteral("رضایی نژاد"));
        main.findChild<QLineEdit *>(QStringLiteral("Text5"))->setText(QStringLiteral("34"));
        main.findChild<QLineEdit *>(QStringLiteral("Text7"))->setText(QStringLiteral("کارشناسی ارشد"));
        present(shown, &main, QStringLiteral("frm1-registration"));
    }
    QSqlQuery(Store::database()).exec(QStringLiteral(
        "INSERT INTO \"ide\" VALUES ('1024', 'مریم', 'رضایی نژاد', '34', 'کارشناسی ارشد', 'زن', 'متأهل', 'B', "
        "'1405/09/19', '10:42:05', NULL)"));
    QSqlQuery(Store::database()).exec(QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"3\") VALUES ('1024', '3')"));
    {
        FrmTest test;
        if (!test.answerRows()->filterBy(QStringLiteral("code"), QStringLiteral("1024"))
            || !test.subjectRows()->filterBy(QStringLiteral("code"), QStringLiteral("1024")))
            qWarning("the sample subject was not found");
        present(shown, &test, QStringLiteral("frmtest-before-start"));
        test.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        test.findChild<QLineEdit *>(QStringLiteral("Text6"))->setText(QStringLiteral("3"));
        present(shown, &test, QStringLiteral("frmtest-item"));
    }
    {
        FrmTest prepared;
        prepared.prepareForNextRun();
        if (!prepared.answerRows()->filterBy(QStringLiteral("code"), QStringLiteral("1024"))
            || !prepared.subjectRows()->filterBy(QStringLiteral("code"), QStringLiteral("1024")))
            qWarning("the sample subject was not found");
        present(shown, &prepared, QStringLiteral("frmtest-prepared"));
    }
    QSqlQuery(Store::database()).exec(QStringLiteral(
        "UPDATE \"Answer\" SET \"1\"='4',\"2\"='3',\"3\"='3',\"4\"='2',\"5\"='4',\"6\"='1',\"7\"='3',"
        "\"8\"='4',\"9\"='2',\"10\"='3',\"11\"='4',\"12\"='4',\"13\"='1',\"14\"='2',\"15\"='3',\"16\"='3',"
        "\"17\"='4',\"18\"='2',\"19\"='3',\"20\"='4' WHERE \"Code\" = '1024'"));
    addSampleSubjects();
    showKeyingAndReports(shown, pdfFolder);
    {
        FrmCode lookup;
        present(shown, &lookup, QStringLiteral("frmcode"));
        auto *group = lookup.findChild<QComboBox *>(QStringLiteral("Combo3"));
        group->setCurrentIndex(group->findText(QStringLiteral("B")));
        emit group->textActivated(QStringLiteral("B"));
        lookup.findChild<QLineEdit *>(QStringLiteral("Text5"))->setText(QStringLiteral("2004"));
        present(shown, &lookup, QStringLiteral("frmcode-group"));
    }
    {
        Frm1 main;
        main.findChild<QPushButton *>(QStringLiteral("Command9"))->click();
        main.findChild<QPushButton *>(QStringLiteral("Command68"))->click();
        present(shown, &main, QStringLiteral("frm1-themes"));
        main.findChild<QPushButton *>(QStringLiteral("Command67"))->click();
        present(shown, &main, QStringLiteral("frm1-clinic"));
    }
    {
        Frmravansanji introduction;
        present(shown, &introduction, QStringLiteral("frmravansanji"));
        QFile::copy(QStringLiteral(QUORVEL_PROGRAM_DIR "/qu.pdf"), QStringLiteral("qu.pdf"));
        FrmQ sheet;
        present(shown, &sheet, QStringLiteral("frmq"));
    }
    {
        Frmskin confirmation;
        present(shown, &confirmation, QStringLiteral("frmskin"));
    }
    {
        exitpro confirmation;
        present(shown, &confirmation, QStringLiteral("exitpro"));
    }
    {
        About about;
        present(shown, &about, QStringLiteral("about"));
        showAboutLater(shown, &about);
    }
    showAnalysis(shown, pdfFolder);
    showBackupWindow(shown);
    Store::closeDatabase();
    QDir::setCurrent(previous);
    return true;
}
