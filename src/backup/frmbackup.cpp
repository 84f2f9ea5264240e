#include "backup/frmbackup.h"

#include "backup/backupdatabase.h"
#include "backup/backuphelp.h"
#include "backup/backuptext.h"
#include "backup/copyfileinblocks.h"
#include "backup/restore.h"
#include "calendar/module7.h"
#include "causes/causes.h"
#include "store/database.h"
#include "store/recordset.h"
#include "ui/clock.h"
#include "ui/fieldbinding.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/prompts.h"
#include "ui/skinlabel.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

namespace {

// The file dialogs' filter: backups end in .mdbB.
const QString kBackupFilter = QStringLiteral("Database Backup (*.mdbB)");

// The copy's failure as the window shows it: the lead, then the cause on its own line when there is one.
QString copyFailedText(const QString &cause)
{
    return cause.isEmpty() ? BackupText::CopyFailed : BackupText::CopyFailed + QStringLiteral("\r\n") + cause;
}

QLineEdit *makePathBox(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    // Paths read left to right whatever the window's direction.
    box->setLayoutDirection(Qt::LeftToRight);
    return box;
}

// A path shows left to right with each of its parts isolated, so that a
// Persian file name with digits and brackets reads as it is stored. The
// isolating marks are for the eye only and never part of the path.
constexpr QChar kFirstStrongIsolate(0x2068);
constexpr QChar kPopDirectionalIsolate(0x2069);

QString shownPath(const QString &path)
{
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString &part : parts)
        if (!part.isEmpty())
            part = kFirstStrongIsolate + part + kPopDirectionalIsolate;
    return parts.join(QLatin1Char('/'));
}

QString storedPath(QString shown)
{
    shown.remove(kFirstStrongIsolate);
    shown.remove(kPopDirectionalIsolate);
    return shown;
}

SkinLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *label = new SkinLabel(name, QString(), parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(arialFont(12));
    return label;
}

}  // namespace

Frmbackup::Frmbackup(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Frmbackup"));
    CloseByKeyboard(this);
    setWindowTitle(BackupText::WindowCaption);
    setFixedSize(twips(7680), twips(3840));

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text3"));
    Text3 = m_theme->box();

    Label1 = makeLabel(this, QStringLiteral("Label1"), twipsRect(360, 240, 2400, 375));
    Label2 = makeLabel(this, QStringLiteral("Label2"), twipsRect(4920, 240, 2400, 375));
    Label3 = makeLabel(this, QStringLiteral("Label3"), twipsRect(2760, 240, 2160, 375));
    Label3->hide();

    Text1 = makePathBox(this, QStringLiteral("Text1"), twipsRect(360, 960, 4800, 420));
    b1 = PanelButton(this, QStringLiteral("b1"), BackupText::ChooseCaption, twipsRect(5220, 960, 540, 420));
    VisualButtonEx2 = PanelButton(this, QStringLiteral("VisualButtonEx2"), BackupText::BackupCaption, twipsRect(5880, 900, 1440, 540));
    Text2 = makePathBox(this, QStringLiteral("Text2"), twipsRect(360, 1740, 4800, 420));
    b2 = PanelButton(this, QStringLiteral("b2"), BackupText::ChooseCaption, twipsRect(5220, 1740, 540, 420));
    VisualButtonEx3 = PanelButton(this, QStringLiteral("VisualButtonEx3"), BackupText::RestoreCaption, twipsRect(5880, 1680, 1440, 540));
    Command1 = PanelButton(this, QStringLiteral("Command1"), BackupText::Command1Caption, twipsRect(360, 2760, 1680, 540));
    Command3 = PanelButton(this, QStringLiteral("Command3"), BackupText::Command3Caption, twipsRect(5640, 2760, 1680, 540));
    buildHelpPanel();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Frmbackup::Timer1_Timer);
    connect(b1, &QPushButton::clicked, this, &Frmbackup::b1_Click);
    connect(b2, &QPushButton::clicked, this, &Frmbackup::b2_Click);
    connect(VisualButtonEx2, &QPushButton::clicked, this, &Frmbackup::VisualButtonEx2_Click);
    connect(VisualButtonEx3, &QPushButton::clicked, this, &Frmbackup::VisualButtonEx3_Click);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command3, &QPushButton::clicked, Frame1, [this] {
        Frame1->show();
        Frame1->raise();
    });
    connect(Command2, &QPushButton::clicked, Frame1, &QWidget::hide);

    Form_Load();
}

void Frmbackup::buildHelpPanel()
{
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setProperty("panel", true);
    Frame1->setGeometry(twipsRect(240, 120, 7200, 3600));
    Frame1->hide();
    Text4 = new QPlainTextEdit(Frame1);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setGeometry(twipsRect(180, 180, 6840, 2640));
    Text4->setReadOnly(true);
    Text4->setFont(nazaninFont(12));
    QTextOption rightToLeft(Qt::AlignRight);
    rightToLeft.setTextDirection(Qt::RightToLeft);
    rightToLeft.setWrapMode(QTextOption::WordWrap);
    Text4->document()->setDefaultTextOption(rightToLeft);
    Text4->setPlainText(BackupHelpText);
    Command2 = PanelButton(Frame1, QStringLiteral("Command2"), BackupText::Command2Caption, twipsRect(2760, 2940, 1680, 495));
}

void Frmbackup::Form_Load()
{
    if (!Adodc1->open())
        qWarning("the theme of the backup window could not be read: %s", qPrintable(Adodc1->errorText()));
    move(twipsPoint(2340, 765));
    m_theme->apply();
    const QDateTime now = Clock::now();
    Label2->setText(TimeText(now.time()));
    Label1->setText(Module7::SolarDateText(now.date(), 4));
    Label3->setText(Label1->text());
    Timer1->start();
}

QString Frmbackup::DefaultBackupName(const QString &date, const QString &time)
{
    return BackupText::NamePrefix + date + BackupText::NameTime + time + BackupText::NameEnd + BackupText::Extension;
}

QString Frmbackup::TimeText(const QTime &time)
{
    return QStringLiteral("%1.%2").arg(time.hour()).arg(time.minute(), 2, 10, QLatin1Char('0'));
}

QString Frmbackup::backupFolder() const
{
    return QDir::current().absoluteFilePath(QStringLiteral("Back"));
}

void Frmbackup::Timer1_Timer()
{
    Label2->setText(TimeText(Clock::now().time()));
}

// Choose where the backup goes; a cancelled dialog leaves the path as it was.
void Frmbackup::b1_Click()
{
    const QString suggested = QDir(backupFolder()).filePath(DefaultBackupName(Label3->text(), Label2->text()));
    // The window asks its own question before replacing a backup; the dialog asks none.
    const QString chosen = prompts().saveFileName(this, BackupText::BackupCaption, suggested, kBackupFilter,
                                                  Prompts::Replace::NoQuestion);
    if (!chosen.isEmpty())
        Text1->setText(shownPath(chosen));
}

// Choose the backup to put back.
void Frmbackup::b2_Click()
{
    const QString chosen = prompts().openFileName(this, BackupText::RestoreCaption, backupFolder(), kBackupFilter);
    if (!chosen.isEmpty())
        Text2->setText(shownPath(chosen));
}

bool Frmbackup::whileCopying(const std::function<bool(const Backup::CopyProgress &progress)> &copy)
{
    m_copying = true;
    const QList<QWidget *> commands = {Text1, b1, VisualButtonEx2, Text2, b2, VisualButtonEx3, Command1, Command3, Command2};
    for (QWidget *command : commands)
        command->setEnabled(false);
    // Shown only when the copy lasts; the window paints between runs of blocks.
    QProgressDialog box(this);
    box.setObjectName(QStringLiteral("CopyProgress"));
    box.setWindowTitle(ApplicationTitle);
    box.setCancelButtonText(BackupText::StopCopy);
    box.setRange(0, 1000);
    box.setMinimumDuration(300);
    box.setWindowModality(Qt::WindowModal);
    box.setAutoClose(false);
    box.setAutoReset(false);
    const auto megabytes = [](qint64 bytes) { return QString::number(double(bytes) / (1024 * 1024), 'f', 1); };
    const bool copied = copy([&](qint64 done, qint64 total) {
        if (total == Store::kChecking) {
            // Checking: the bar moves without an end.
            box.setRange(0, 0);
            box.setLabelText(BackupText::Checking);
        } else if (total == Store::kRowsCopied) {
            // Rows of a server: how many there are is not known ahead.
            box.setRange(0, 0);
            box.setLabelText(BackupText::CopyingRows.arg(done));
        } else {
            box.setValue(total > 0 ? int(done * 1000 / total) : 0);
            box.setLabelText(BackupText::Copying.arg(megabytes(done), megabytes(total)));
        }
        QCoreApplication::processEvents();
        return !box.wasCanceled();
    });
    for (QWidget *command : commands)
        command->setEnabled(true);
    m_copying = false;
    return copied;
}

// Copy the database to the backup path, asking first when a file is there.
void Frmbackup::VisualButtonEx2_Click()
{
    const QString target = storedPath(Text1->text());
    if (target.isEmpty()) {
        prompts().message(this, BackupText::NeedBackupPath, BackupText::ErrorCaption, Prompts::Icon::Exclamation);
        return;
    }
    if (QFileInfo::exists(target) && !prompts().question(this, BackupText::ReplaceQuestion, ApplicationTitle)) {
        prompts().message(this, BackupText::BackupNotMade, ApplicationTitle, Prompts::Icon::Information);
        return;
    }
    QString error;
    bool cancelled = false;
    const bool made = whileCopying([&](const Backup::CopyProgress &progress) {
        return Backup::backupStore(target, &error, progress, nullptr, &cancelled);
    });
    if (cancelled) {
        prompts().message(this, BackupText::BackupCancelled, ApplicationTitle, Prompts::Icon::Information);
        return;
    }
    if (!made) {
        // The operator may choose another place, or try again once the database is free.
        prompts().message(this, copyFailedText(error), ApplicationTitle, Prompts::Icon::Critical);
        return;
    }
    prompts().message(this, BackupText::BackupMade, ApplicationTitle, Prompts::Icon::None);
    endProgram();
}

// Put the chosen backup in place of the database, after the operator's Yes.
void Frmbackup::VisualButtonEx3_Click()
{
    const QString source = storedPath(Text2->text());
    if (source.isEmpty()) {
        prompts().message(this, BackupText::NeedRestorePath, BackupText::ErrorCaption, Prompts::Icon::Exclamation);
        return;
    }
    if (!prompts().question(this, BackupText::RestoreQuestion, ApplicationTitle)) {
        prompts().message(this, BackupText::NotRestored, ApplicationTitle, Prompts::Icon::None);
        return;
    }
    // A shared database changes for every desk: asked once more, naming the server.
    if (Store::isStoreShared()
        && !prompts().question(this, BackupText::ReplaceSharedQuestion.arg(Store::storeDescription()), ApplicationTitle)) {
        prompts().message(this, BackupText::NotRestored, ApplicationTitle, Prompts::Icon::None);
        return;
    }
    QString error;
    Backup::RestoreFailure failure = Backup::RestoreFailure::None;
    const bool restored = whileCopying([&](const Backup::CopyProgress &progress) {
        return Backup::restoreStore(source, &error, progress, &failure);
    });
    if (failure == Backup::RestoreFailure::Cancelled) {
        prompts().message(this, BackupText::RestoreCancelled, ApplicationTitle, Prompts::Icon::Information);
        return;
    }
    if (!restored) {
        if (failure == Backup::RestoreFailure::Replace)
            prompts().message(this, Causes::joinLines({error, BackupText::CloseOtherWindows}), BackupText::ErrorCaption,
                              Prompts::Icon::Exclamation);
        else
            prompts().message(this, copyFailedText(error), ApplicationTitle, Prompts::Icon::Critical);
        return;
    }
    prompts().message(this, BackupText::Restored, ApplicationTitle, Prompts::Icon::None);
    endProgram();
}

void Frmbackup::endProgram()
{
    close();
}

void Frmbackup::closeEvent(QCloseEvent *event)
{
    // A copy under way finishes first; only then may the program end.
    if (m_copying) {
        event->ignore();
        return;
    }
    event->accept();
    Timer1->stop();
    emit programEnds();
}
