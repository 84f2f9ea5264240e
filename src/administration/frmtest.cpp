#include "administration/frmtest.h"

#include "questionnaire/answerkey.h"

#include "administration/administrationtext.h"
#include "ui/digitsonly.h"
#include "ui/fieldbinding.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/prompts.h"
#include "store/recordset.h"
#include "ui/selfclosingmessage.h"
#include "ui/skinlabel.h"
#include "ui/storeerror.h"
#include "ui/subjectdetails.h"
#include "ui/textchecks.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

using AnswerKey::kItems;

// Shown above the cause when an answer cannot be stored; the window stays where it is.
const QString kNotStored = QStringLiteral("پاسخ‌ها ذخیره نشد:");

}  // namespace

FrmTest::FrmTest(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmTest"));
    setWindowTitle(AdministrationText::WindowCaption);
    setFixedSize(twips(10215), twips(8775));
    setModal(true);

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    Adodc2 = new RecordSet(QStringLiteral("Adodc2"), QStringLiteral("Answer"), this);
    Adodc3 = new RecordSet(QStringLiteral("Adodc3"), QStringLiteral("ide"), this);
    Adodc4 = new RecordSet(QStringLiteral("Adodc4"), QStringLiteral("Answer"), this);
    Adodc5 = new RecordSet(QStringLiteral("Adodc5"), QStringLiteral("ide"), this);
    Adodc6 = new RecordSet(QStringLiteral("Adodc6"), QStringLiteral("QU"), this);

    buildIntroduction();
    buildSubjectFrame();
    buildItemControls();
    buildButtons();

    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text2"));
    Text2 = m_theme->box();
    addHiddenBox(QStringLiteral("Text14"), Adodc2, QStringLiteral("Code"));
    addHiddenBox(QStringLiteral("Text15"), Adodc2, QStringLiteral("Code"));
    addHiddenBox(QStringLiteral("Text16"), Adodc4, QStringLiteral("Code"));
    addHiddenBox(QStringLiteral("Text13"), Adodc5, QStringLiteral("FName"));
    addHiddenBox(QStringLiteral("Text17"), Adodc6, QStringLiteral("code"));

    Form_Load();
}

QLineEdit *FrmTest::addHiddenBox(const QString &name, RecordSet *recordSet, const QString &field)
{
    QLineEdit *box = HiddenBox(this, name);
    FieldBinding::bind(box, recordSet, field);
    return box;
}

void FrmTest::buildIntroduction()
{
    SkinLabel3 = new SkinLabel(QStringLiteral("SkinLabel3"), AdministrationText::SkinLabel3Text, this);
    SkinLabel3->setFont(QFont(QStringLiteral("B Titr"), 22));
    SkinLabel3->setAlignment(Qt::AlignCenter);
    SkinLabel3->setProperty("role", QStringLiteral("title"));
    SkinLabel4 = new SkinLabel(QStringLiteral("SkinLabel4"), AdministrationText::SkinLabel4Text, this);
    SkinLabel4->setFont(nazaninFont(15));
    SkinLabel4->setWordWrap(true);
    SkinLabel4->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    SkinLabel5 = new SkinLabel(QStringLiteral("SkinLabel5"), AdministrationText::SkinLabel5Text, this);
    SkinLabel5->setFont(nazaninFont(14, true));
    SkinLabel5->setAlignment(Qt::AlignCenter);
    SkinLabel6 = new SkinLabel(QStringLiteral("SkinLabel6"), AdministrationText::SkinLabel6Text, this);
    SkinLabel6->setFont(nazaninFont(14, true));
    SkinLabel6->setAlignment(Qt::AlignCenter);
}

void FrmTest::buildSubjectFrame()
{
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setProperty("panel", true);
    Frame1->setGeometry(twipsRect(360, 480, 9495, 2115));
    Frame1->hide();
    const QList<QLineEdit *> boxes = LayOutSubjectDetails(
        Frame1, Adodc3, {"Text1", "Text3", "Text4", "Text10", "Text5", "Text11", "Text7", "Text8", "Text9"});
    Text1 = boxes.at(0);
    Text3 = boxes.at(1);
    Text4 = boxes.at(2);
    Text10 = boxes.at(3);
    Text5 = boxes.at(4);
    Text11 = boxes.at(5);
    Text7 = boxes.at(6);
    Text8 = boxes.at(7);
    Text9 = boxes.at(8);
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);
    Text5->setMaxLength(3);
    AcceptDigitsOnly(Text5);
}

void FrmTest::buildItemControls()
{
    SkinLbl5 = new SkinLabel(QStringLiteral("SkinLbl5"), QString(), this);
    SkinLbl5->setFont(nazaninFont(17, true));
    SkinLbl5->setWordWrap(true);
    SkinLbl5->setAlignment(Qt::AlignCenter);
    SkinLbl5->setGeometry(twipsRect(480, 3360, 8535, 1455));
    SkinLbl5->hide();
    Lbl1 = new QLabel(this);
    Lbl1->setObjectName(QStringLiteral("Lbl1"));
    Lbl1->hide();
    FieldBinding::bind(Lbl1, Adodc6, QStringLiteral("Q"));

    Text6 = new QLineEdit(QStringLiteral("1"), this);
    Text6->setObjectName(QStringLiteral("Text6"));
    Text6->setGeometry(twipsRect(9120, 3420, 615, 495));
    Text6->setAlignment(Qt::AlignCenter);
    Text6->setFont(nazaninFont(14, true));
    AcceptDigitsOnly(Text6);
    Text6->hide();
    connect(Text6, &QLineEdit::textChanged, this, &FrmTest::Text6_Change);

    Text12 = new QLineEdit(this);
    Text12->setObjectName(QStringLiteral("Text12"));
    Text12->setMaxLength(1);
    Text12->hide();

    Frame2 = new QGroupBox(QStringLiteral("1"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipsRect(3900, 4860, 2355, 2475));
    Frame2->setFont(nazaninFont(13, true));
    Frame2->hide();
    m_options = new QButtonGroup(this);
    const struct {
        QRadioButton **option;
        const char *name;
        QString caption;
        int value;
        const char *colour;
    } options[] = {
        {&Option1, "Option1", AdministrationText::Option1Caption, 4, "#ffe5b4"},
        {&Option2, "Option2", AdministrationText::Option2Caption, 3, "#ffd39b"},
        {&Option3, "Option3", AdministrationText::Option3Caption, 2, "#ffe5b4"},
        {&Option4, "Option4", AdministrationText::Option4Caption, 1, "#ffd39b"},
    };
    // Below the item number, which stands on the frame's top edge.
    int top = 450;
    for (const auto &entry : options) {
        auto *option = new QRadioButton(entry.caption, Frame2);
        option->setObjectName(QString::fromLatin1(entry.name));
        option->setGeometry(twipsRect(390, top, 1575, 435));
        option->setFont(nazaninFont(12, true));
        // Light peach and light orange on every theme, with dark text, and a
        // round mark drawn in the text's colour so that it stands out as well.
        option->setStyleSheet(QStringLiteral("QRadioButton { background: %1; color: #2b1a08; border-radius: 4px; padding: 0 4px; }"
                                             "QRadioButton::indicator { width: 11px; height: 11px; border: 1px solid #5a3a12;"
                                             " border-radius: 6px; background: #fffaf2; }"
                                             "QRadioButton::indicator:checked { background: qradialgradient(cx:0.5, cy:0.5,"
                                             " radius:0.5, fx:0.5, fy:0.5, stop:0 #2b1a08, stop:0.5 #2b1a08, stop:0.62 #fffaf2,"
                                             " stop:1 #fffaf2); }")
                                  .arg(QLatin1String(entry.colour)));
        m_options->addButton(option, entry.value);
        const int value = entry.value;
        connect(option, &QRadioButton::toggled, this, [this, value](bool checked) {
            if (checked)
                Option_Click(value);
        });
        *entry.option = option;
        top += 480;
    }
}

void FrmTest::buildButtons()
{
    auto addButton = [this](const char *name, const QString &caption, const QRect &geometry, int pointSize) {
        QPushButton *button = PanelButton(this, QString::fromLatin1(name), caption, geometry, nazaninFont(pointSize, true));
        button->setAutoDefault(false);
        return button;
    };
    CmdBack = addButton("CmdBack", AdministrationText::CmdBackCaption, twipsRect(2100, 5700, 1455, 975), 16);
    CmdNext = addButton("CmdNext", AdministrationText::CmdNextCaption, twipsRect(6660, 5700, 1455, 975), 16);
    CmdNext->setDefault(true);
    Command1 = addButton("Command1", AdministrationText::Command1Caption, twipsRect(5040, 7980, 975, 555), 12);
    Command2 = addButton("Command2", AdministrationText::Command2Caption, twipsRect(3840, 7980, 975, 555), 12);
    Command5 = addButton("Command5", AdministrationText::Command5Caption, twipsRect(5040, 7980, 1575, 555), 12);
    Command5->hide();
    connect(CmdBack, &QPushButton::clicked, this, &FrmTest::CmdBack_Click);
    connect(CmdNext, &QPushButton::clicked, this, &FrmTest::CmdNext_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmTest::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmTest::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &FrmTest::Command5_Click);
}

void FrmTest::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Load: the title, instructions, note and scale, before the subject starts.
void FrmTest::Form_Load()
{
    for (RecordSet *recordSet : {Adodc1, Adodc2, Adodc3, Adodc4, Adodc5, Adodc6})
        if (!StoreSucceeded(this, recordSet->open(), *recordSet))
            break;
    move(twipsPoint(2340, 765));
    m_theme->apply();
    for (QWidget *label : {SkinLabel4, SkinLabel6, SkinLabel5, SkinLabel3})
        label->show();
    SkinLabel4->setGeometry(twipsRect(600, 3000, 9075, 4095));
    SkinLabel6->setGeometry(twipsRect(600, 5340, 9075, 555));
    SkinLabel5->setGeometry(twipsRect(600, 4380, 9075, 555));
    SkinLabel3->setGeometry(twipsRect(1200, 600, 7635, 1515));
    CmdNext->hide();
    CmdBack->hide();
    Text12->hide();
}

void FrmTest::prepareForNextRun()
{
    SkinLabel4->show();
    Command1->show();
    Command2->show();
    CmdBack->hide();
    SkinLabel3->hide();
    CmdNext->hide();
    Frame1->show();
    SkinLbl5->show();
    Text6->setText(QStringLiteral("0"));
}

// Start: the subject's details and item 1.
void FrmTest::Command1_Click()
{
    SkinLbl5->setGeometry(twipsRect(480, 3360, 8535, 1455));
    SkinLbl5->show();
    for (QWidget *label : {SkinLabel3, SkinLabel4, SkinLabel5, SkinLabel6})
        label->hide();
    for (QWidget *shown : std::initializer_list<QWidget *>{Frame1, Frame2, Text6, CmdNext})
        shown->show();
    Text6->setText(QStringLiteral("0"));
    CmdBack->show();
    Text1->setFocus();
    Command1->hide();
    Command5->show();
    Text6->setText(QStringLiteral("1"));
}

double FrmTest::itemValue() const
{
    return ReadNumber(Text6->text());
}

// Every change of the item number shows the item it names: an empty box and
// numbers before the first item show item 1, numbers past the last show item 20.
void FrmTest::Text6_Change()
{
    int item = 0;
    if (Text6->text().isEmpty()) {
        SkinLbl5->clear();
        item = 1;
    } else {
        const double value = itemValue();
        if (value == 0)
            return;  // nothing shown for 0: the item on screen keeps its answer box
        if (value < 0) {
            ShowSelfClosingMessage(this, AdministrationText::Start);
            item = 1;
        } else if (value > kItems) {
            if (!commit(Adodc2))
                return;
            ShowSelfClosingMessage(this, AdministrationText::End);
            item = kItems;
        } else {
            item = int(value);
            displayItem(item);
            return;  // the number stays as typed, leading zeros and all
        }
    }
    {
        const QSignalBlocker quiet(Text6);
        Text6->setText(QString::number(item));
    }
    displayItem(item);
}

// An item number with leading zeros (07) names the same item and column as 7.
void FrmTest::displayItem(int item)
{
    const QString number = AnswerKey::ItemField(item);
    if (!StoreSucceeded(this, Adodc6->filterBy(QStringLiteral("code"), number), *Adodc6))
        return;
    SkinLbl5->setText(Lbl1->text());
    FieldBinding::bind(Text12, Adodc2, number);
    Frame2->setTitle(number);
    MarkChosenOption();
}

void FrmTest::MarkChosenOption()
{
    if (Text12->text().isEmpty()) {
        m_options->setExclusive(false);
        for (QAbstractButton *option : m_options->buttons())
            option->setChecked(false);
        m_options->setExclusive(true);
        return;
    }
    if (QAbstractButton *option = m_options->button(int(ReadNumber(Text12->text()))))
        option->setChecked(true);
}

// An option puts its value into the item's column; it is stored at the next commit.
void FrmTest::Option_Click(int value)
{
    Text12->setText(QString::number(value));
}

bool FrmTest::commit(RecordSet *recordSet)
{
    // A subject with an answer row but no subject row has no details to store.
    if (recordSet->isBof() || recordSet->commit())
        return true;
    ShowStoreFailure(this, kNotStored, recordSet->failure(), recordSet->errorText());
    return false;
}

bool FrmTest::refreshAll()
{
    for (RecordSet *recordSet : {Adodc1, Adodc2, Adodc3})
        if (!StoreSucceeded(this, recordSet->refresh(), *recordSet))
            return false;
    return true;
}

// Next: store the answers, then the following item.
void FrmTest::CmdNext_Click()
{
    if (!commit(Adodc2))
        return;
    Text6->setText(QString::number(qint64(itemValue()) + 1));
}

// Back: store the answers, then the item before.
void FrmTest::CmdBack_Click()
{
    if (!commit(Adodc2))
        return;
    Text6->setText(QString::number(qint64(itemValue()) - 1));
}

// Exit: answers chosen since the last commit, and edits of the details, are dropped.
void FrmTest::Command2_Click()
{
    refreshAll();
    accept();
}

// Corrected names must show what they hold.
bool FrmTest::visibleNames()
{
    for (QLineEdit *name : {Text3, Text4}) {
        if (HasHiddenControls(name->text())) {
            ShowSelfClosingMessage(this, HiddenControlsInNameText);
            name->setFocus();
            return false;
        }
    }
    return true;
}

// Save and exit: the answers and any corrected details are stored.
void FrmTest::Command5_Click()
{
    if (!visibleNames() || !commit(Adodc2) || !commit(Adodc3))
        return;
    refreshAll();
    accept();
}
