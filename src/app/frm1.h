#pragma once

#include "ui/windowtheme.h"

#include <QWidget>

#include <memory>

class QFrame;
class QLineEdit;
class QPushButton;
class PictureBox;
class ClinicPanel;
class RegistrationPanel;
class ThemeListPanel;
class TestLauncher;
class RecordSet;
class SkinLabel;

// The main window: the menu column, the title band, the hover help and the
// panels that open inside it. Every other window is reached from here.
class Frm1 : public QWidget
{
    Q_OBJECT

public:
    // launcher runs the tests of this run of the program, so that the test
    // window outlives a main window recreated for a new theme; without one
    // the window keeps its own.
    explicit Frm1(TestLauncher *launcher = nullptr, QWidget *parent = nullptr);
    ~Frm1() override;

    TestLauncher *testLauncher() const { return m_testLauncher; }

    // Hides every panel and drops a registration that was begun and not saved.
    void HidePanels();

    const Skin &skin() const { return m_theme->skin(); }

    // Why the window would close now: to leave the program (the operator is
    // asked first), or only to come back in a newly chosen theme. The hidden
    // box Text3 shows it as 2 or 1.
    enum class Closing { ForExit, ForThemeChange };
    void setClosing(Closing closing);
    Closing closing() const { return m_closing; }

signals:
    // The window closed only to come back in another theme.
    void closedQuietly();
    // The window closed and the operator is leaving the program.
    void closedForExit();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void buildSettingsPanel();
    void buildPanels();
    QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);

    void Form_Load();
    void Form_Unload();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command9_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command67_Click();
    void Command68_Click();
    void ThemeButton_Click(int theme);
    void Command69_Click();
    void Picture1_Click();
    void Text2_Change(const QString &text);
    void showHelp(QObject *button);
    void clearHelp();
    bool refreshSubjects();
    bool anySubjectRegistered();

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    RecordSet *Adodc2;
    RecordSet *Adodc3;
    RecordSet *Adodc4;

    QFrame *Frame7;
    ThemeListPanel *Frame6;
    QFrame *Frame8;
    ClinicPanel *Frame9;
    RegistrationPanel *Frame10;
    std::unique_ptr<TestLauncher> m_ownLauncher;
    TestLauncher *m_testLauncher;
    SkinLabel *SkinLabel1;
    SkinLabel *SkinLabel2;
    SkinLabel *SkinLabel7;
    PictureBox *Picture1;
    QLineEdit *Text1;
    QLineEdit *Text2;
    QLineEdit *Text3;
    Closing m_closing = Closing::ForExit;
    QLineEdit *Text10;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command4;
    QPushButton *Command5;
    QPushButton *Command6;
    QPushButton *Command9;
    QPushButton *Command11;
    QPushButton *Command12;
    QPushButton *Command13;
    QPushButton *Command14;
    QPushButton *Command67;
    QPushButton *Command68;
    QPushButton *Command69;
};
