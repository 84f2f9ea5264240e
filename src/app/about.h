#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

// "About us": the program's name and the maker's contact lines rolling up
// over a picture, a credit line that closes up letter by letter, and a
// button that closes the window. It is modal and wears no theme. Closing it
// stops its timers; showing it again after a close starts it afresh, as a
// new window would.
class About : public QWidget
{
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);

signals:
    // The window has closed; whoever opened it may show itself again.
    void closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();
    void Timer1_Timer();
    void Timer10_Timer();
    void Timer3_Timer();
    void Timer2_Timer();

    void loadAsDrawn();
    void setLabelColour(QLabel *label, const QColor &colour);
    int outerHeightTwips() const;

    QPixmap m_background;
    QToolButton *Command1;
    QLineEdit *Text1;
    std::array<QLabel *, 4> m_labels{};
    QTimer *Timer1;
    QTimer *Timer10;
    QTimer *Timer3;
    QTimer *Timer2;

    QStringList m_rollLines;
    qint16 m_rollIndex = 0;
    QString m_creditSearch;
    QString m_creditReplacement;
    enum class TitleMode { Unset, Growing, Shrinking };
    TitleMode m_titleMode = TitleMode::Unset;
    bool m_closed = false;
};
