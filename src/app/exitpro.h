#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QTimer;
class PictureBox;

// The exit confirmation: are you sure you want to leave, with a box to take
// a backup copy of the database first. Its title and the box's text take
// turns between two phrases about backing up every half second.
class exitpro : public QWidget
{
    Q_OBJECT

public:
    explicit exitpro(QWidget *parent = nullptr);

signals:
    // Confirm was clicked; withBackup when the backup box was ticked.
    void confirmed(bool withBackup);
    // Cancel was clicked: the operator stays in the program.
    void cancelled();
    // The window was closed other than by its two buttons.
    void dismissed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void showRestingFaces();
    void C2_Click();
    void k2_Click();
    void Timer2_Timer();
    void Timer3_Timer();
    void tmCaptionAnimate_Timer();

    QLabel *Label1;
    QCheckBox *Check1;
    PictureBox *k1;
    PictureBox *k2;
    PictureBox *C1;
    PictureBox *C2;
    QTimer *Timer2;
    QTimer *Timer3;
    QTimer *tmCaptionAnimate;
    bool m_answered = false;
};
