#pragma once

#include "ui/windowtheme.h"

#include <memory>

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RecordSet;
class SkinLabel;

// The test window: the subject reads the twenty items one at a time and
// answers each on the four-point scale. Answers go into the subject's row of
// Answer, one column per item, and are stored at Next, Back, past item 20 and
// at Save and exit.
class FrmTest : public QDialog
{
    Q_OBJECT

public:
    explicit FrmTest(QWidget *parent = nullptr);

    // The record sets the launch restricts to one subject.
    RecordSet *answerRows() const { return Adodc2; }
    RecordSet *subjectRows() const { return Adodc3; }

    // The look the window has after a finished run, ready for the next subject.
    void prepareForNextRun();

protected:
    // Escape does not close the window: answers would be lost without a word.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildIntroduction();
    void buildSubjectFrame();
    void buildItemControls();
    void buildButtons();
    QLineEdit *addHiddenBox(const QString &name, RecordSet *recordSet, const QString &field);

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command5_Click();
    void CmdNext_Click();
    void CmdBack_Click();
    void Option_Click(int value);
    void Text6_Change();
    void MarkChosenOption();
    void displayItem(int item);
    double itemValue() const;
    bool commit(RecordSet *recordSet);
    bool refreshAll();
    bool visibleNames();

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    RecordSet *Adodc2;
    RecordSet *Adodc3;
    RecordSet *Adodc4;
    RecordSet *Adodc5;
    RecordSet *Adodc6;

    SkinLabel *SkinLabel3;
    SkinLabel *SkinLabel4;
    SkinLabel *SkinLabel5;
    SkinLabel *SkinLabel6;
    SkinLabel *SkinLbl5;
    QLabel *Lbl1;
    QWidget *Frame1;
    QGroupBox *Frame2;
    QButtonGroup *m_options;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    QRadioButton *Option4;
    QLineEdit *Text1;
    QLineEdit *Text2;
    QLineEdit *Text3;
    QLineEdit *Text4;
    QLineEdit *Text5;
    QLineEdit *Text6;
    QLineEdit *Text7;
    QLineEdit *Text8;
    QLineEdit *Text9;
    QLineEdit *Text10;
    QLineEdit *Text11;
    QLineEdit *Text12;
    QPushButton *CmdBack;
    QPushButton *CmdNext;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command5;
};
