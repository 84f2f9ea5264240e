#include "app/exitpro.h"

#include "app/exitprotext.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/picturebox.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace {

// A check box that toggles on a click anywhere in its rectangle: its text
// changes every half second and is shorter than the box, and a click on the
// bare part must tick it all the same.
class WholeBoxCheck : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};


// Set on the window itself so that neither an application style sheet nor a
// theme can repaint it; the label and the button faces let its colour through.
const QString kStyle = QStringLiteral("#exitpro { background-color: rgb(0, 192, 192); }"
                                      "QLabel { background: transparent; }"
                                      "#Check1 { background-color: rgb(192, 255, 255); color: rgb(128, 64, 64); }"
                                      // The square in the caption's colour, so that it stands out from the strip.
                                      "#Check1::indicator { width: 12px; height: 12px; border: 1px solid rgb(128, 64, 64);"
                                      " border-radius: 2px; background: white; }"
                                      "#Check1::indicator:checked { image: url(:/app/check-mark.svg); }");

PictureBox *makeFace(QWidget *parent, const QString &name, const QString &svg, const QRect &geometry)
{
    auto *face = new PictureBox(name, parent);
    face->setGeometry(geometry);
    face->setSvg(svg);
    face->setCursor(Qt::PointingHandCursor);
    return face;
}


}  // namespace

exitpro::exitpro(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("exitpro"));
    setWindowTitle(ExitproText::Caption);
    setFixedSize(twips(4575), twips(3360));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyle);
    setMouseTracking(true);

    Label1 = new QLabel(ExitproText::Label1Text, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(360, 480, 3552, 1032));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPointSizeF(13.5);
    labelFont.setBold(true);
    Label1->setFont(labelFont);

    Check1 = new WholeBoxCheck(ExitproText::Check1Text, this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twipsRect(840, 1440, 2475, 375));
    Check1->setFont(nazaninFont(12, true));

    const QRect confirmPlace = twipsRect(2460, 2220, 1440, 525);
    const QRect cancelPlace = twipsRect(360, 2220, 1440, 525);
    k1 = makeFace(this, QStringLiteral("k1"), QStringLiteral(":/app/confirm.svg"), confirmPlace);
    k2 = makeFace(this, QStringLiteral("k2"), QStringLiteral(":/app/confirm-lit.svg"), confirmPlace);
    C1 = makeFace(this, QStringLiteral("C1"), QStringLiteral(":/app/cancel.svg"), cancelPlace);
    C2 = makeFace(this, QStringLiteral("C2"), QStringLiteral(":/app/cancel-lit.svg"), cancelPlace);
    for (PictureBox *resting : {C1, k1}) {
        resting->setMouseTracking(true);
        resting->installEventFilter(this);
    }
    connect(C2, &PictureBox::clicked, this, &exitpro::C2_Click);
    connect(k2, &PictureBox::clicked, this, &exitpro::k2_Click);
    // By keyboard the resting faces are the buttons, right to left after the box.
    const QColor frame(128, 64, 64);
    k1->makeButton(ExitproText::ConfirmName, frame);
    C1->makeButton(ExitproText::CancelName, frame);
    connect(k1, &PictureBox::activated, this, &exitpro::k2_Click);
    connect(C1, &PictureBox::activated, this, &exitpro::C2_Click);
    setTabOrder(Check1, k1);
    setTabOrder(k1, C1);

    Timer2 = NamedTimer(this, QStringLiteral("Timer2"), 500);
    Timer3 = NamedTimer(this, QStringLiteral("Timer3"), 500);
    tmCaptionAnimate = NamedTimer(this, QStringLiteral("tmCaptionAnimate"), 500);
    connect(Timer2, &QTimer::timeout, this, &exitpro::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &exitpro::Timer3_Timer);
    connect(tmCaptionAnimate, &QTimer::timeout, this, &exitpro::tmCaptionAnimate_Timer);
    for (QTimer *timer : {Timer2, Timer3, tmCaptionAnimate})
        timer->start();

    Form_Load();
}

void exitpro::Form_Load()
{
    move(twipsPoint(5000, 4500));
    showRestingFaces();
}

void exitpro::showRestingFaces()
{
    C1->show();
    C2->hide();
    k1->show();
    k2->hide();
}

// Cancel: the operator stays in the program.
void exitpro::C2_Click()
{
    m_answered = true;
    emit cancelled();
    close();
}

// Confirm. With a backup asked for, the window steps aside while it is taken;
// otherwise the receiver ends the program.
void exitpro::k2_Click()
{
    m_answered = true;
    const bool withBackup = Check1->isChecked();
    emit confirmed(withBackup);
    if (withBackup)
        hide();
}

// Enter confirms and Escape cancels, wherever the focus is.
void exitpro::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        k2_Click();
        break;
    case Qt::Key_Escape:
        C2_Click();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void exitpro::closeEvent(QCloseEvent *event)
{
    if (!m_answered)
        emit dismissed();
    event->accept();
}

void exitpro::Timer2_Timer()
{
    setWindowTitle(ExitproText::TakingBackup);
    Timer3->start();
    Timer2->stop();
}

void exitpro::Timer3_Timer()
{
    setWindowTitle(ExitproText::BackingUp);
    Timer2->start();
    Timer3->stop();
}

void exitpro::tmCaptionAnimate_Timer()
{
    if (windowTitle().length() > 1)
        Check1->setText(windowTitle());
    else
        setWindowTitle(ExitproText::TakingBackup);
}

// Over the bare window, the label or the box both buttons go back to rest.
// Moves over a lit face reach here too, as a picture passes them on: that
// face stays lit and only the other one rests, so that a jump straight from
// one button to the other never leaves both lit.
void exitpro::mouseMoveEvent(QMouseEvent *event)
{
    const QWidget *under = childAt(event->position().toPoint());
    if (under != C2) {
        C1->show();
        C2->hide();
    }
    if (under != k2) {
        k1->show();
        k2->hide();
    }
    QWidget::mouseMoveEvent(event);
}

bool exitpro::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == C1) {
            C1->hide();
            C2->show();
        } else if (watched == k1) {
            k1->hide();
            k2->show();
        }
    }
    return QWidget::eventFilter(watched, event);
}
