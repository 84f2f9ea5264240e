#include "registry/registrationpanel.h"

#include "ui/clock.h"
#include "ui/digitsonly.h"
#include "ui/fieldbinding.h"
#include "ui/fonts.h"
#include "calendar/module7.h"
#include "store/recordset.h"
#include "registry/registrytext.h"
#include "ui/selfclosingmessage.h"
#include "ui/skinlabel.h"
#include "store/transaction.h"
#include "ui/storeerror.h"
#include "ui/textchecks.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kBoxHeight = 375;

}  // namespace

RegistrationPanel::RegistrationPanel(RecordSet *subjects, RecordSet *answers, QWidget *parent)
    : QFrame(parent), Adodc2(subjects), Adodc3(answers)
{
    setObjectName(QStringLiteral("Frame10"));
    setProperty("panel", true);
    setGeometry(twipsRect(1500, 780, 6675, 2895));

    // Three rows read right to left. Each caption stands just right of its
    // own box and at least a field's gap from the next box on its right.
    // Row 1: code, first name, last name.
    Text11 = addBox(QStringLiteral("Text11"), 5340, 300, 675);
    addLabel(QStringLiteral("SkinLbl"), RegistryText::SkinLblCaption, 6015, 300, 330);
    Text6 = addBox(QStringLiteral("Text6"), 3180, 300, 1515);
    Text6->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    addLabel(QStringLiteral("SkinLabel3"), RegistryText::SkinLabel3Caption, 4695, 300, 345);
    Text4 = addBox(QStringLiteral("Text4"), 120, 300, 1740);
    addLabel(QStringLiteral("SkinLabel21_0"), RegistryText::SkinLabel21_0Caption, 1860, 300, 1065);

    // Row 2: age, marital status, date, time.
    Text5 = addBox(QStringLiteral("Text5"), 5400, 840, 675);
    Text5->setAlignment(Qt::AlignCenter);
    Text5->setMaxLength(2);
    AcceptDigitsOnly(Text5);
    addLabel(QStringLiteral("SkinLabel21_3"), RegistryText::SkinLabel21_3Caption, 6075, 840, 375);
    Combo1 = addList(QStringLiteral("Combo1"), {RegistryText::Single, RegistryText::Married}, 3810, 840, 900);
    addLabel(QStringLiteral("SkinLabel21_4"), RegistryText::SkinLabel21_4Caption, 4710, 840, 450);
    Text8 = addBox(QStringLiteral("Text8"), 1860, 840, 1200);
    Text8->setAlignment(Qt::AlignCenter);
    addLabel(QStringLiteral("SkinLabel21_6"), RegistryText::SkinLabel21_6Caption, 3060, 840, 510);
    Text9 = addBox(QStringLiteral("Text9"), 120, 840, 960);
    Text9->setAlignment(Qt::AlignCenter);
    Text9->setReadOnly(true);
    addLabel(QStringLiteral("SkinLabel21_7"), RegistryText::SkinLabel21_7Caption, 1080, 840, 570);

    // Row 3: gender, group, education.
    Combo2 = addList(QStringLiteral("Combo2"), {RegistryText::Male, RegistryText::Female}, 4920, 1380, 1035);
    addLabel(QStringLiteral("SkinLabel21_2"), RegistryText::SkinLabel21_2Caption, 5955, 1380, 540);
    QStringList groups;
    for (char group = 'A'; group <= 'G'; ++group)
        groups << QString(QLatin1Char(group));
    Combo3 = addList(QStringLiteral("Combo3"), groups, 2940, 1380, 1275);
    addLabel(QStringLiteral("SkinLabel21_1"), RegistryText::SkinLabel21_1Caption, 4215, 1380, 465);
    Text7 = addBox(QStringLiteral("Text7"), 120, 1380, 1740);
    addLabel(QStringLiteral("SkinLabel21_5"), RegistryText::SkinLabel21_5Caption, 1860, 1380, 810);

    Command8 = new QPushButton(RegistryText::Command8Caption, this);
    Command8->setObjectName(QStringLiteral("Command8"));
    Command8->setGeometry(twipsRect(2040, 2220, 975, 435));
    Command8->setFont(menuButtonFont());
    Command10 = new QPushButton(RegistryText::Command10Caption, this);
    Command10->setObjectName(QStringLiteral("Command10"));
    Command10->setGeometry(twipsRect(960, 2220, 975, 435));
    Command10->setFont(menuButtonFont());

    // The lists' hidden mirrors are what is stored; the lists themselves are not bound.
    Text15 = addBox(QStringLiteral("Text15"), 0, 0, 375);
    Text16 = addBox(QStringLiteral("Text16"), 0, 0, 375);
    Text17 = addBox(QStringLiteral("Text17"), 0, 0, 375);
    Text12 = addBox(QStringLiteral("Text12"), 0, 0, 375);
    for (QLineEdit *hidden : {Text15, Text16, Text17, Text12})
        hidden->hide();

    const struct {
        QLineEdit *box;
        const char *field;
    } bindings[] = {{Text11, "Code"}, {Text6, "FName"},  {Text4, "LName"},  {Text5, "Sen"},
                    {Text7, "Tahsil"}, {Text8, "Date"},  {Text9, "Time"},   {Text16, "Jens"},
                    {Text15, "Taahol"}, {Text17, "Group"}};
    for (const auto &binding : bindings)
        FieldBinding::bind(binding.box, Adodc2, QString::fromLatin1(binding.field));
    FieldBinding::bind(Text12, Adodc3, QStringLiteral("Code"));

    connect(Combo1, &QComboBox::currentTextChanged, this, [this] { Combo_Click(Combo1, Text15); });
    connect(Combo2, &QComboBox::currentTextChanged, this, [this] { Combo_Click(Combo2, Text16); });
    connect(Combo3, &QComboBox::currentTextChanged, this, [this] { Combo_Click(Combo3, Text17); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo_Click(Combo1, Text15); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo_Click(Combo2, Text16); });
    connect(Combo3, &QComboBox::activated, this, [this] { Combo_Click(Combo3, Text17); });
    connect(Command8, &QPushButton::clicked, this, &RegistrationPanel::Command8_Click);
    // Enter in any box of the panel saves, as "ذخيره" does.
    SetDefaultButton(this, Command8);
    connect(Command10, &QPushButton::clicked, this, &RegistrationPanel::Command10_Click);
    setTabOrder();
    hide();
}

QLineEdit *RegistrationPanel::addBox(const QString &name, int left, int top, int width)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(twipsRect(left, top, width, kBoxHeight));
    return box;
}

QComboBox *RegistrationPanel::addList(const QString &name, const QStringList &items, int left, int top, int width)
{
    auto *list = new QComboBox(this);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setGeometry(twipsRect(left, top, width, kBoxHeight));
    return list;
}

void RegistrationPanel::addLabel(const QString &name, const QString &caption, int left, int top, int width)
{
    SkinLabel::fieldCaption(name, caption, this, twipsRect(left, top, width, kBoxHeight));
}

void RegistrationPanel::setTabOrder()
{
    const QList<QWidget *> order{Text11, Text6, Text4, Text5, Combo1, Text8, Combo2,
                                 Combo3, Text7, Command8, Command10, Text9};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void RegistrationPanel::open()
{
    if (!StoreSucceeded(window(), Adodc2->addNew(), *Adodc2))
        return;
    show();
    setGeometry(twipsRect(1500, 780, 6675, 2895));
    const QDateTime now = Clock::now();
    Text9->setText(now.time().toString(QStringLiteral("HH:mm:ss")));
    Text8->setText(Module7::SolarDateText(now.date(), 0));
    Text11->setFocus();
}

// A list's choice goes into its hidden mirror, and so into the new subject row.
void RegistrationPanel::Combo_Click(QComboBox *list, QLineEdit *mirror)
{
    mirror->setText(list->currentText());
}

bool RegistrationPanel::checkFields()
{
    const struct {
        QLineEdit *field;
        QString message;
        QWidget *focus;
    } checks[] = {
        {Text11, RegistryText::NeedCode, Text11},      {Text6, RegistryText::NeedFirstName, Text6},
        {Text4, RegistryText::NeedLastName, Text4},    {Text16, RegistryText::NeedGender, Combo2},
        {Text5, RegistryText::NeedAge, Text5},         {Text15, RegistryText::NeedMarital, Combo1},
        {Text17, RegistryText::NeedGroup, Combo3},     {Text7, RegistryText::NeedEducation, Text7},
    };
    for (const auto &check : checks) {
        // A code of blanks only is no code; elsewhere a blank counts as an entry.
        const QString entry = check.field == Text11 ? check.field->text().trimmed() : check.field->text();
        if (entry.isEmpty()) {
            ShowSelfClosingMessage(window(), check.message);
            check.focus->setFocus();
            return false;
        }
    }
    // Every entry must print as it was typed; a code must also be found again by typing what is shown.
    if (HasInvisibleInCode(Text11->text())) {
        ShowSelfClosingMessage(window(), HiddenControlsInCodeText);
        Text11->setFocus();
        return false;
    }
    const struct {
        QWidget *field;
        QString text;
        QString message;
    } visible[] = {{Text6, Text6->text(), HiddenControlsInNameText},
                   {Text4, Text4->text(), HiddenControlsInNameText},
                   {Text5, Text5->text(), HiddenControlsInFieldText},
                   {Combo1, Combo1->currentText(), HiddenControlsInFieldText},
                   {Combo2, Combo2->currentText(), HiddenControlsInFieldText},
                   {Combo3, Combo3->currentText(), HiddenControlsInFieldText},
                   {Text7, Text7->text(), HiddenControlsInFieldText}};
    for (const auto &check : visible) {
        if (HasHiddenControls(check.text)) {
            ShowSelfClosingMessage(window(), check.message);
            check.field->setFocus();
            return false;
        }
    }
    return true;
}

// Save: both rows of the subject go in together, or neither does. The code
// is stored without the blanks around it, alike in both rows.
void RegistrationPanel::Command8_Click()
{
    if (!StoreSucceeded(window(), Adodc3->refresh(), *Adodc3))
        return;
    Combo_Click(Combo1, Text15);
    Combo_Click(Combo2, Text16);
    Combo_Click(Combo3, Text17);
    if (!checkFields())
        return;

    const QString code = Text11->text().trimmed();
    StoreFailure failure = StoreFailure::None;
    QString detail;
    {
        Transaction transaction{Adodc2, Adodc3};
        auto step = [&failure, &detail](bool done, const RecordSet &recordSet) {
            if (!done) {
                failure = recordSet.failure();
                detail = recordSet.errorText();
            }
            return done;
        };
        const bool written = transaction.isActive() && step(Adodc3->addNew(), *Adodc3)
                             && step(Adodc3->setField(QStringLiteral("Code"), code), *Adodc3)
                             && step(Adodc3->commit(), *Adodc3)
                             && step(Adodc2->setField(QStringLiteral("Code"), code), *Adodc2)
                             && step(Adodc2->commit(), *Adodc2);
        if (written && transaction.commit())
            failure = StoreFailure::None;
        else if (failure == StoreFailure::None) {
            failure = transaction.failure();
            detail = transaction.errorText();
        }
        // Leaving the block without a commit takes back whatever went in; the
        // subject row waits, with every entry as typed, for the next try.
    }
    if (failure == StoreFailure::Duplicate) {
        ShowSelfClosingMessage(window(), RegistryText::DuplicateCode);
        return;
    }
    if (failure != StoreFailure::None) {
        ShowStoreFailure(window(), failure, detail);
        return;
    }
    // Stored: a failing re-read shows its cause, and the panel closes either way.
    if (StoreSucceeded(window(), Adodc2->refresh(), *Adodc2))
        StoreSucceeded(window(), Adodc3->refresh(), *Adodc3);
    emit hidePanelsRequested();
}

// Cancel: the new subject row and everything typed into it are dropped.
void RegistrationPanel::Command10_Click()
{
    StoreSucceeded(window(), Adodc2->refresh(), *Adodc2);
    emit hidePanelsRequested();
}
