#include "app/frmskin.h"

#include "app/exitprotext.h"
#include "app/settingstext.h"
#include "store/recordset.h"
#include "ui/picturebox.h"
#include "ui/skinlabel.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The window keeps its own teal, as the exit confirmation does, whatever the theme.
const QString kStyle = QStringLiteral("#Frmskin { background-color: rgb(0, 192, 192); }"
                                      "#Frmskin QLabel { background: transparent; color: rgb(0, 0, 0); }");
const QColor kTeal(0, 192, 192);

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(13.5);
    font.setBold(true);
    label->setFont(font);
    return label;
}

PictureBox *makeFace(QWidget *parent, const QString &name, const QString &svg)
{
    auto *face = new PictureBox(name, parent);
    face->setGeometry(twipsRect(1500, 1920, 1440, 525));
    face->setSvg(svg);
    face->setCursor(Qt::PointingHandCursor);
    return face;
}

}  // namespace

Frmskin::Frmskin(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Frmskin"));
    setWindowTitle(SettingsText::FrmskinCaption);
    setFixedSize(twips(4680), twips(3240));
    setAttribute(Qt::WA_StyledBackground);
    setMouseTracking(true);

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text1"), this, QStringLiteral("1"),
                                            twipsRect(120, 180, 375, 315));
    Text1 = m_theme->box();

    makeLabel(this, QStringLiteral("Label3_1"), SettingsText::FrmskinHeading, twipsRect(540, 240, 3372, 492));
    makeLabel(this, QStringLiteral("Label3_0"), SettingsText::FrmskinMessage, twipsRect(420, 900, 3372, 492));
    k1 = makeFace(this, QStringLiteral("k1"), QStringLiteral(":/app/confirm.svg"));
    k2 = makeFace(this, QStringLiteral("k2"), QStringLiteral(":/app/confirm-lit.svg"));
    k1->setMouseTracking(true);
    k1->installEventFilter(this);
    connect(k2, &PictureBox::clicked, this, &Frmskin::k2_Click);
    // By keyboard the resting face is the button.
    k1->makeButton(ExitproText::ConfirmName, QColor(0, 0, 0));
    connect(k1, &PictureBox::activated, this, &Frmskin::k2_Click);

    Form_Load();
}

void Frmskin::Form_Load()
{
    if (!Adodc1->open())
        qWarning("the theme could not be read: %s", qPrintable(Adodc1->errorText()));
    move(twipsPoint(5000, 3500));
    m_theme->apply();
    setStyleSheet(styleSheet() + kStyle);
    // The texts are black on the fixed teal whatever the theme: set on each
    // label, where no rule of the theme's sheet can outweigh it.
    for (QLabel *label : findChildren<QLabel *>())
        label->setStyleSheet(QStringLiteral("color: rgb(0, 0, 0); background: transparent;"));
    QPalette teal = palette();
    teal.setColor(QPalette::Window, kTeal);
    setPalette(teal);
    setAutoFillBackground(true);
    k1->show();
    k2->hide();
}

// The pointer on the bare window puts the resting face back.
void Frmskin::mouseMoveEvent(QMouseEvent *event)
{
    k1->show();
    k2->hide();
    QWidget::mouseMoveEvent(event);
}

// The pointer on the resting face lights it up; only the lit face takes the click.
bool Frmskin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == k1 && (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)) {
        k1->hide();
        k2->show();
    }
    return QWidget::eventFilter(watched, event);
}

// Back to a main window started afresh, in the new theme.
void Frmskin::k2_Click()
{
    m_confirmed = true;
    emit confirmed();
    close();
}

// Enter confirms; Escape closes, which comes back to the main window alike.
void Frmskin::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        k2_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Frmskin::closeEvent(QCloseEvent *event)
{
    // The program never stays without a window: the main window comes back.
    if (!m_confirmed) {
        m_confirmed = true;
        emit confirmed();
    }
    event->accept();
}
