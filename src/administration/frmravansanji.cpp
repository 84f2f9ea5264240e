#include "administration/frmravansanji.h"

#include "administration/sheettext.h"
#include "store/recordset.h"
#include "ui/fonts.h"
#include "ui/skinlabel.h"
#include "ui/storeerror.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The text's title line and its heading (its first and third lines) are set
// as headings, the paragraphs under them with room between them. Nazli,
// standing in for B Nazanin, sets its lines wider apart than the face this
// text was written for; closer lines keep all of it inside the label.
QString closeSetText(const QString &text)
{
    QString html;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool heading = i == 0 || i == 2;
        html += heading ? QStringLiteral("<p style=\"margin:%1px 0 0 0; line-height:78%; color:#0f3d73; "
                                         "font-weight:bold; white-space:pre-wrap\">%2</p>")
                              .arg(i == 0 ? 0 : 6)
                              .arg(lines.at(i).toHtmlEscaped())
                        : QStringLiteral("<p style=\"margin:0 0 2px 0; line-height:75%; white-space:pre-wrap\">%1</p>")
                              .arg(lines.at(i).toHtmlEscaped());
    }
    return html;
}

}  // namespace

Frmravansanji::Frmravansanji(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Frmravansanji"));
    CloseByKeyboard(this);
    setWindowTitle(SheetText::IntroductionCaption);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twips(10650), twips(9255));

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text1"));
    Text1 = m_theme->box();

    // Light blue in every theme, so its text keeps its own dark colours.
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(240, 0, 9375, 8655));
    Frame1->setStyleSheet(QStringLiteral("QFrame#Frame1 { background: #d9eaf7; border: 1px solid #8fb4d6; border-radius: 8px; }"
                                         "QLabel { color: #14283d; }"
                                         "QLabel[role=\"title\"] { color: #0f3d73; }"));

    SkinLabel2 = new SkinLabel(QStringLiteral("SkinLabel2"), SheetText::SkinLabel2Text, Frame1);
    SkinLabel2->setGeometry(twipsRect(2280, 180, 5595, 375));
    SkinLabel2->setFont(nazaninFont(14, true));
    SkinLabel2->setAlignment(Qt::AlignCenter);
    SkinLabel2->setProperty("role", QStringLiteral("title"));

    SkinLabel1 = new SkinLabel(QStringLiteral("SkinLabel1"), QString(), Frame1);
    SkinLabel1->setGeometry(twipsRect(300, 840, 8835, 6855));
    QFont textFont = nazaninFont(15);
    textFont.setPointSizeF(15.75);
    SkinLabel1->setFont(textFont);
    SkinLabel1->setWordWrap(true);
    SkinLabel1->setTextFormat(Qt::RichText);
    SkinLabel1->setAlignment(Qt::AlignTop | Qt::AlignAbsolute | Qt::AlignRight);

    Label1 = new QLabel(introductionText(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(10800, 0, 8835, 6855));
    Label1->hide();

    Command1 = new QPushButton(SheetText::Command1Caption, Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(3780, 8040, 1215, 495));
    Command1->setFont(nazaninFont(12, true));
    // Exit: back to the main window.
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    Form_Load();
}

QString Frmravansanji::introductionText()
{
    QFile file(QStringLiteral(":/administration/introduction.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // The file keeps plain line ends; the window's text has CR LF between its lines.
    QString text = QString::fromUtf8(file.readAll());
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// Load: in its place and theme, the introduction shown in the skinned label.
void Frmravansanji::Form_Load()
{
    StoreSucceeded(this, Adodc1->open(), *Adodc1);
    move(twipsPoint(2340, 200));
    m_theme->apply();
    SkinLabel1->setText(closeSetText(Label1->text()));
}

void Frmravansanji::closeEvent(QCloseEvent *event)
{
    emit closed();
    event->accept();
}
