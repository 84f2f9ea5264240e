#include "scoring/frmklid.h"

#include "preview/reportpreview.h"
#include "questionnaire/answerkey.h"
#include "report/resultreports.h"
#include "scoring/scoringtext.h"
#include "store/recordset.h"
#include "ui/fieldbinding.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/prompts.h"
#include "ui/selfclosingmessage.h"
#include "ui/skinlabel.h"
#include "ui/storeerror.h"
#include "ui/subjectdetails.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>

namespace {

const QString kCode = QStringLiteral("Code");

// A subject with answers and no registration row has nowhere to keep a score.
QString notRegisteredText(const QString &code)
{
    return QStringLiteral("مشخصات آزمودنی با کد «%1» ثبت نشده است؛ نمره‌ای برای او ذخیره نشد.").arg(code);
}

// The selected subject's row went away before the card was printed.
QString goneText(const QString &code)
{
    return QStringLiteral("آزمودنی با کد «%1» دیگر در بانک اطلاعات نیست؛ کارنامه چاپ نشد.").arg(code);
}

QFont buttonFont()
{
    QFont font = arialFont(10);
    font.setBold(true);
    return font;
}


}  // namespace

FrmkLID::FrmkLID(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmkLID"));
    CloseByKeyboard(this);
    setWindowTitle(ScoringText::WindowCaption);
    setFixedSize(twips(10215), twips(6300));

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    Adodc2 = new RecordSet(QStringLiteral("Adodc2"), QStringLiteral("Answer"), this);
    Adodc3 = new RecordSet(QStringLiteral("Adodc3"), QStringLiteral("ide"), this);
    Adodc5 = new RecordSet(QStringLiteral("Adodc5"), QStringLiteral("ide"), this);
    Adodc6 = new RecordSet(QStringLiteral("Adodc6"), QStringLiteral("ide"), this);

    buildDetailsPanel();
    buildCommandPanel();
    buildResultPanel();
    buildHelpPanel();

    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text1"));
    Text1 = m_theme->box();
    Text13 = HiddenBox(this, QStringLiteral("Text13"));
    Text16 = HiddenBox(this, QStringLiteral("Text16"));
    FieldBinding::bind(Text13, Adodc1, QStringLiteral("Name"));
    FieldBinding::bind(Text16, Adodc1, QStringLiteral("Adress"));

    Form_Load();
}

void FrmkLID::buildDetailsPanel()
{
    Frame5 = Panel(this, QStringLiteral("Frame5"), twipsRect(360, 240, 9495, 2115));
    const QList<QLineEdit *> boxes = LayOutSubjectDetails(
        Frame5, Adodc3, {"Text15", "Text3", "Text12", "Text10", "Text6", "Text11", "Text7", "Text8", "Text9"});
    // The details are shown, not edited: nothing typed here could be kept,
    // and Tab passes them by for the buttons that act.
    for (QLineEdit *box : boxes) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
    }
}

void FrmkLID::buildCommandPanel()
{
    Frame1 = Panel(this, QStringLiteral("Frame1"), twipsRect(360, 2475, 9495, 915));
    // Right to left in the order the operator works: select, print, help, exit.
    Command1 = PanelButton(Frame1, QStringLiteral("Command1"), ScoringText::Command1Caption, twipsRect(7500, 180, 1875, 555), buttonFont());
    Command6 = PanelButton(Frame1, QStringLiteral("Command6"), ScoringText::Command6Caption, twipsRect(4860, 180, 2580, 555), buttonFont());
    Command3 = PanelButton(Frame1, QStringLiteral("Command3"), ScoringText::Command3Caption, twipsRect(2460, 180, 2340, 555), buttonFont());
    Command2 = PanelButton(Frame1, QStringLiteral("Command2"), ScoringText::Command2Caption, twipsRect(1260, 180, 1140, 555), buttonFont());
    Command4 = PanelButton(Frame1, QStringLiteral("Command4"), ScoringText::Command4Caption, twipsRect(120, 180, 1080, 555), buttonFont());
    Text5 = HiddenBox(Frame1, QStringLiteral("Text5"));
    connect(Command1, &QPushButton::clicked, this, &FrmkLID::Command1_Click);
    connect(Command6, &QPushButton::clicked, this, &FrmkLID::Command6_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmkLID::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmkLID::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &QWidget::close);
}

void FrmkLID::buildResultPanel()
{
    Frame3 = Panel(this, QStringLiteral("Frame3"), twipsRect(360, 3510, 9495, 2190));
    auto *caption = new SkinLabel(QStringLiteral("Label1"), ScoringText::ResultCaption, Frame3);
    caption->setGeometry(twipsRect(3240, 300, 3015, 495));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFont(nazaninFont(14, true));
    Text2 = new QLineEdit(Frame3);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(twipsRect(3840, 900, 1815, 795));
    Text2->setAlignment(Qt::AlignCenter);
    Text2->setReadOnly(true);
    Text2->setFont(QFont(QStringLiteral("B Titr"), 20, QFont::Bold));
    FieldBinding::bind(Text2, Adodc5, QStringLiteral("Nomre"));
    // The answers are held out of sight for the check and the sum.
    for (int item = 1; item <= AnswerKey::kItems; ++item) {
        QLineEdit *box = HiddenBox(Frame3, QStringLiteral("Txt3_%1").arg(item));
        FieldBinding::bind(box, Adodc2, AnswerKey::ItemField(item));
        Txt3 << box;
    }
}

void FrmkLID::buildHelpPanel()
{
    Frame2 = Panel(this, QStringLiteral("Frame2"), twipsRect(1380, 1080, 7635, 4935));
    Frame2->hide();
    Text21 = new QPlainTextEdit(Frame2);
    Text21->setObjectName(QStringLiteral("Text21"));
    Text21->setGeometry(twipsRect(240, 240, 7155, 3735));
    Text21->setLayoutDirection(Qt::RightToLeft);
    Text21->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text21->setReadOnly(true);
    Text21->setFont(QFont(QStringLiteral("Arabic Transparent"), 13));
    QTextOption rightToLeft(Qt::AlignRight);
    rightToLeft.setTextDirection(Qt::RightToLeft);
    rightToLeft.setWrapMode(QTextOption::WordWrap);
    Text21->document()->setDefaultTextOption(rightToLeft);
    Text21->setPlainText(ScoringText::HelpText);
    Command7 = PanelButton(Frame2, QStringLiteral("Command7"), ScoringText::Command7Caption, twipsRect(3015, 4140, 1605, 555), buttonFont());
    connect(Command7, &QPushButton::clicked, this, &FrmkLID::Command7_Click);
}

void FrmkLID::Form_Load()
{
    for (RecordSet *recordSet : {Adodc1, Adodc2, Adodc3, Adodc5, Adodc6})
        if (!StoreSucceeded(this, recordSet->open(), *recordSet))
            break;
    move(twipsPoint(2340, 765));
    Frame2->setGeometry(twipsRect(1380, 1080, 7635, 4935));
    m_theme->apply();
}

QString FrmkLID::selectedSubject() const
{
    return Text5->text();
}

void FrmkLID::closeEvent(QCloseEvent *event)
{
    emit closed();
    event->accept();
}

bool FrmkLID::filterBoth(const QString &code)
{
    return StoreSucceeded(this, Adodc2->filterBy(kCode, code), *Adodc2)
           && StoreSucceeded(this, Adodc3->filterBy(kCode, code), *Adodc3);
}

QStringList FrmkLID::storedAnswers() const
{
    QStringList answers;
    for (const QLineEdit *box : Txt3)
        answers << box->text();
    return answers;
}

// The result box shows the score of the subject scored last, or of the first row before any.
void FrmkLID::keepSelection(const QString &code)
{
    const bool read = code.isEmpty() ? Adodc5->refresh() : Adodc5->filterBy(kCode, code);
    StoreSucceeded(this, read, *Adodc5);
    m_scoredCode = code;
}

// Select a subject by code, check the answers are complete, then score and store.
void FrmkLID::Command1_Click()
{
    const QString code = prompts().inputBox(this, ScoringText::CodePrompt, ScoringText::CodeTitle);
    if (code.isEmpty()) {
        ShowSelfClosingMessage(this, ScoringText::CodeRequired);
        return;
    }
    if (!StoreSucceeded(this, Adodc2->refresh(), *Adodc2) || !filterBoth(code))
        return;
    if (Adodc2->isEmpty()) {
        ShowSelfClosingMessage(this, ScoringText::NoSuchSubject);
        return;
    }
    const QList<int> unanswered = AnswerKey::UnansweredItems(storedAnswers());
    if (!unanswered.isEmpty()) {
        prompts().message(this, ScoringText::Unanswered + QStringLiteral("\r\n\r\n") + AnswerKey::UnansweredList(unanswered),
                          ScoringText::ErrorCaption, Prompts::Icon::Exclamation);
        return;
    }
    if (Adodc3->isEmpty()) {
        prompts().message(this, notRegisteredText(code), ScoringText::ErrorCaption, Prompts::Icon::Critical);
        return;
    }

    const QString previousScored = m_scoredCode;
    const QString previousSelected = Text5->text();
    if (!StoreSucceeded(this, Adodc3->filterBy(kCode, code), *Adodc3)
        || !StoreSucceeded(this, Adodc5->filterBy(kCode, code), *Adodc5))
        return keepSelection(previousScored);
    m_scoredCode = code;
    Text5->setText(code);
    Text2->setText(AnswerKey::ScoreText(storedAnswers()));
    if (!Adodc5->setField(QStringLiteral("Nomre"), Text2->text().trimmed()) || !Adodc5->commit()) {
        ShowStoreFailure(this, *Adodc5);
        // Nothing was stored: the subject scored before stays the selected one.
        Text5->setText(previousSelected);
        return keepSelection(previousScored);
    }
    ShowSelfClosingMessage(this, ScoringText::Scored);
}

// Show the help panel.
void FrmkLID::Command2_Click()
{
    Frame2->show();
    Frame2->raise();
}

// Hide the help panel.
void FrmkLID::Command7_Click()
{
    Frame2->hide();
}

// The result table of every registered subject, with the clinic's name and address.
void FrmkLID::Command3_Click()
{
    keepSelection(m_scoredCode);
    if (!StoreSucceeded(this, Adodc6->refresh(), *Adodc6))
        return;
    std::shared_ptr<const Report::RowSource> rows;
    if (!StoreSucceeded(this, ResultReports::StreamRows(*Adodc6, ResultReports::DataRPrintFields(), &rows), *Adodc6))
        return;
    ReportPreview::show(ResultReports::DataRPrint({Text13->text(), Text16->text()}), std::move(rows), this);
}

// The result card of the subject scored last, read from its stored row.
void FrmkLID::Command6_Click()
{
    const QString code = Text5->text();
    if (code.isEmpty()) {
        ShowSelfClosingMessage(this, ScoringText::NothingSelected, 2000);
        return;
    }
    const QStringList fields{QStringLiteral("Code"),   QStringLiteral("Group"),  QStringLiteral("Sen"),
                             QStringLiteral("Jens"),   QStringLiteral("Taahol"), QStringLiteral("Tahsil"),
                             QStringLiteral("Nomre")};
    RecordSet subject(QStringLiteral("CardRow"), QStringLiteral("ide"));
    Report::Rows rows;
    if (!StoreSucceeded(this, subject.filterBy(kCode, code), subject)
        || !StoreSucceeded(this, ResultReports::ReadRows(subject, fields, &rows), subject))
        return;
    if (rows.count() == 0) {
        prompts().message(this, goneText(code), ScoringText::ErrorCaption, Prompts::Icon::Critical);
        Text5->clear();
        return;
    }
    const auto stored = [&rows](const char *field) { return rows.value(0, QString::fromLatin1(field)); };
    const ResultReports::CardValues card{stored("Code"),   stored("Group"),  stored("Sen"),   stored("Jens"),
                                         stored("Taahol"), stored("Tahsil"), stored("Nomre"), Text16->text()};
    ReportPreview::show(ResultReports::DataR1(card), std::move(rows), this);
    Text5->clear();
}
