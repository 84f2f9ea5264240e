#pragma once

#include "ui/windowtheme.h"

#include <memory>

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

// The lookup window: for an operator who has forgotten a subject's code. A
// grid lists the registered subjects, three choosers narrow it to one last
// name, one first name or one group, a subject is deleted whole by code, and
// the result table of the listed subjects is printed from here.
class FrmCode : public QWidget
{
    Q_OBJECT

public:
    explicit FrmCode(QWidget *parent = nullptr);

    const Skin &skin() const { return m_theme->skin(); }

signals:
    // The window closed; whoever opened it shows itself again.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildChoosers();
    void buildGrid();
    void buildCommands();

    void Form_Load();
    void Combo3_Change();
    void DataCombo1_Change();
    void DataCombo6_Change();
    void Command1_Click();
    void Command2_Click();

    bool filterSubjects(const QString &field, const QString &value);
    bool deleteSubject(QString *error);
    // Reads the listed subjects again, every filter dropped and the choosers as at the start.
    void showEverySubject();
    void fillNameLists();
    void emptyChooser(QComboBox *chooser, const QString &text = QString());

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    RecordSet *Adodc2;
    RecordSet *Adodc3;
    RecordSet *Adodc4;

    QTableView *DataGrid1;
    QComboBox *DataCombo1;
    QComboBox *DataCombo6;
    QComboBox *Combo3;
    QPushButton *Command1;
    QGroupBox *Frame1;
    QLineEdit *Text5;
    QPushButton *Command2;
    QPushButton *Command6;
    QLineEdit *Text1;
    QLineEdit *Text4;
};
