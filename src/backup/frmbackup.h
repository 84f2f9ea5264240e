#pragma once

#include "backup/copyfileinblocks.h"

#include "ui/windowtheme.h"

#include <memory>

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTime;
class QTimer;
class RecordSet;

// The backup window, the last step of leaving the program: the database is
// copied to a backup file, or a backup file is put back in its place. When
// the window closes, after a backup or a restore, the program ends.
class Frmbackup : public QWidget
{
    Q_OBJECT

public:
    explicit Frmbackup(QWidget *parent = nullptr);

    // The proposed backup name for the window's date and time texts.
    static QString DefaultBackupName(const QString &date, const QString &time);
    // The time of day as the window shows it: hour without a leading zero, "." and two-digit minutes.
    static QString TimeText(const QTime &time);

    bool isCopying() const { return m_copying; }

signals:
    // The program ends now.
    void programEnds();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildHelpPanel();
    void Form_Load();
    void Timer1_Timer();
    void b1_Click();
    void b2_Click();
    void VisualButtonEx2_Click();
    void VisualButtonEx3_Click();
    // Runs a copy with every command held back, the close box included.
    // Runs copy with the window's commands off and a progress box that shows
    // the bytes copied and can stop the copy.
    bool whileCopying(const std::function<bool(const Backup::CopyProgress &progress)> &copy);
    void endProgram();
    QString backupFolder() const;

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    QLineEdit *Text1;
    QPushButton *b1;
    QPushButton *VisualButtonEx2;
    QLineEdit *Text2;
    QPushButton *b2;
    QPushButton *VisualButtonEx3;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QTimer *Timer1;
    QPushButton *Command1;
    QPushButton *Command3;
    QFrame *Frame1;
    QPlainTextEdit *Text4;
    QPushButton *Command2;
    QLineEdit *Text3;
    bool m_copying = false;
};
