#pragma once

#include <QFrame>

class QComboBox;
class QLineEdit;
class QPushButton;
class RecordSet;
class SkinLabel;

// The registration panel of the main window: a subject's code and details,
// stored as the subject's row in ide and an empty answer row in Answer.
class RegistrationPanel : public QFrame
{
    Q_OBJECT

public:
    // subjects is the main window's record set over ide, answers its record set over Answer.
    RegistrationPanel(RecordSet *subjects, RecordSet *answers, QWidget *parent);

    // Shows the panel on a new, empty subject row stamped with today's date and the time.
    void open();

signals:
    // The main window hides its panels, this one among them.
    void hidePanelsRequested();

private:
    QLineEdit *addBox(const QString &name, int left, int top, int width);
    QComboBox *addList(const QString &name, const QStringList &items, int left, int top, int width);
    void addLabel(const QString &name, const QString &caption, int left, int top, int width);
    void setTabOrder();
    bool checkFields();

    void Combo_Click(QComboBox *list, QLineEdit *mirror);
    void Command8_Click();
    void Command10_Click();

    RecordSet *Adodc2;
    RecordSet *Adodc3;
    QLineEdit *Text11;
    QLineEdit *Text6;
    QLineEdit *Text4;
    QLineEdit *Text5;
    QLineEdit *Text7;
    QLineEdit *Text8;
    QLineEdit *Text9;
    QLineEdit *Text12;
    QLineEdit *Text15;
    QLineEdit *Text16;
    QLineEdit *Text17;
    QComboBox *Combo1;
    QComboBox *Combo2;
    QComboBox *Combo3;
    QPushButton *Command8;
    QPushButton *Command10;
};
