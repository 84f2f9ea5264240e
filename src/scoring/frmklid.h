#pragma once

#include "ui/windowtheme.h"

#include <memory>

#include <QWidget>

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RecordSet;

// The keying window: the operator picks a subject by code, the twenty stored
// answers are checked and summed, and the score is stored in the subject's
// row. The result table and the result card are printed from here.
class FrmkLID : public QWidget
{
    Q_OBJECT

public:
    explicit FrmkLID(QWidget *parent = nullptr);

    // The subject last scored here: the one the result card prints.
    QString selectedSubject() const;
    const Skin &skin() const { return m_theme->skin(); }

signals:
    // The window closed; whoever opened it shows itself again.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildDetailsPanel();
    void buildCommandPanel();
    void buildResultPanel();
    void buildHelpPanel();

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command6_Click();
    void Command7_Click();
    bool filterBoth(const QString &code);
    QStringList storedAnswers() const;
    void keepSelection(const QString &code);

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    RecordSet *Adodc2;
    RecordSet *Adodc3;
    RecordSet *Adodc5;
    RecordSet *Adodc6;

    QFrame *Frame5;
    QFrame *Frame1;
    QFrame *Frame3;
    QFrame *Frame2;
    QLineEdit *Text1;
    QLineEdit *Text13;
    QLineEdit *Text16;
    QLineEdit *Text2;
    QLineEdit *Text5;
    QList<QLineEdit *> Txt3;  // items 1 to 20 at 0 to 19
    QString m_scoredCode;     // the subject the result box shows
    QPlainTextEdit *Text21;
    QPushButton *Command1;
    QPushButton *Command6;
    QPushButton *Command3;
    QPushButton *Command2;
    QPushButton *Command4;
    QPushButton *Command7;
};
