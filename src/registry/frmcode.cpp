#include "registry/frmcode.h"

#include "registry/lookuptext.h"
#include "preview/reportpreview.h"
#include "report/resultreports.h"
#include "store/recordset.h"
#include "store/transaction.h"
#include "ui/fieldbinding.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/prompts.h"
#include "ui/selfclosingmessage.h"
#include "ui/skinlabel.h"
#include "ui/storeerror.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QCloseEvent>
#include <QCollator>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

namespace {


// The four columns of the grid under their Persian captions; every other
// column of the table is left out.
class SubjectColumns : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QString captionOf(int column) const
    {
        const QString field = sourceModel()->headerData(column, Qt::Horizontal).toString();
        for (const auto &[name, caption] : kCaptions)
            if (field.compare(name, Qt::CaseInsensitive) == 0)
                return caption;
        return QString();
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return captionOf(section);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    inline static const std::pair<QLatin1String, QString> kCaptions[] = {
        {QLatin1String("Code"), LookupText::CodeColumn},
        {QLatin1String("FName"), LookupText::FNameColumn},
        {QLatin1String("LName"), LookupText::LNameColumn},
        {QLatin1String("Group"), LookupText::GroupColumn},
    };
};

// A chooser whose caption stands at its right, both within [left, left + width) in twips.
QComboBox *makeChooser(QWidget *parent, const QString &name, const QString &label, const QString &labelName,
                       int left, int width, int labelWidth)
{
    SkinLabel *caption =
        SkinLabel::fieldCaption(labelName, label, parent, twipsRect(left + width - labelWidth, 300, labelWidth, 375));
    auto *chooser = new QComboBox(parent);
    chooser->setObjectName(name);
    chooser->setGeometry(twipsRect(left, 270, width - labelWidth - 60, 420));
    // The caption is as wide as its letters and stands one small gap from its own chooser.
    QRect place = caption->geometry();
    place.setLeft(chooser->geometry().right() + 1 + twips(60));
    place.setWidth(qMin(caption->fontMetrics().horizontalAdvance(label) + 2, twips(labelWidth)));
    caption->setGeometry(place);
    chooser->setEditable(true);
    // Names are Persian: the typed text and the caret start at the right, also while the box is empty.
    chooser->lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    chooser->setInsertPolicy(QComboBox::NoInsert);
    // The text typed is the choice, as typed: nothing completes it behind the operator's back.
    chooser->setCompleter(nullptr);
    chooser->setMaxVisibleItems(15);
    return chooser;
}

}  // namespace

FrmCode::FrmCode(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmCode"));
    CloseByKeyboard(this);
    setWindowTitle(LookupText::WindowCaption);
    setFixedSize(twips(10215), twips(7260));

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    Adodc2 = new RecordSet(QStringLiteral("Adodc2"), QStringLiteral("ide"), this);
    Adodc3 = new RecordSet(QStringLiteral("Adodc3"), QStringLiteral("ide"), this);
    Adodc4 = new RecordSet(QStringLiteral("Adodc4"), QStringLiteral("Answer"), this);

    buildChoosers();
    buildGrid();
    buildCommands();

    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text1"));
    Text1 = m_theme->box();
    Text4 = HiddenBox(this, QStringLiteral("Text4"));
    FieldBinding::bind(Text4, Adodc1, QStringLiteral("Adress"));

    Form_Load();
}

void FrmCode::buildChoosers()
{
    // Right to left: last name, first name, group.
    DataCombo1 = makeChooser(this, QStringLiteral("DataCombo1"), LookupText::DataCombo1Label, QStringLiteral("Label1"),
                             6720, 3135, 1095);
    // A blank of a few pixels between each caption and its own chooser, and
    // a wider one between one caption-and-chooser pair and the next.
    DataCombo6 = makeChooser(this, QStringLiteral("DataCombo6"), LookupText::DataCombo6Label, QStringLiteral("Label2"),
                             4140, 2340, 600);
    Combo3 = makeChooser(this, QStringLiteral("Combo3"), LookupText::Combo3Label, QStringLiteral("Label3"),
                         360, 3540, 600);
    Combo3->addItems(LookupText::Groups);
    emptyChooser(Combo3, LookupText::Combo3Initial);

    // A choice is what the operator types or picks; texts the window sets itself are not.
    const auto onChoice = [this](QComboBox *chooser, void (FrmCode::*steps)()) {
        connect(chooser->lineEdit(), &QLineEdit::textEdited, this, steps);
        connect(chooser, &QComboBox::textActivated, this, steps);
    };
    onChoice(Combo3, &FrmCode::Combo3_Change);
    onChoice(DataCombo1, &FrmCode::DataCombo1_Change);
    onChoice(DataCombo6, &FrmCode::DataCombo6_Change);
}

void FrmCode::buildGrid()
{
    auto *caption = new SkinLabel(QStringLiteral("Label4"), LookupText::DataGrid1Caption, this);
    caption->setGeometry(twipsRect(360, 870, 9495, 375));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFont(nazaninFont(12, true));
    caption->setProperty("role", QStringLiteral("title"));

    DataGrid1 = new QTableView(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setGeometry(twipsRect(360, 1260, 9495, 3780));
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->setAlternatingRowColors(true);
    DataGrid1->verticalHeader()->setDefaultSectionSize(twips(330));
    DataGrid1->verticalHeader()->hide();
    auto *columns = new SubjectColumns(DataGrid1);
    columns->setSourceModel(Adodc2->view());
    DataGrid1->setModel(columns);
    // Code and group columns as wide as what they hold (a code of some
    // digits, a one-letter group); the names share the rest.
    QHeaderView *header = DataGrid1->horizontalHeader();
    const QFontMetrics metrics(DataGrid1->font());
    for (int column = 0; column < columns->columnCount(); ++column) {
        const QString caption = columns->captionOf(column);
        DataGrid1->setColumnHidden(column, caption.isEmpty());
        const QString widest = caption == LookupText::CodeColumn    ? QStringLiteral("0000000000")
                               : caption == LookupText::GroupColumn ? QStringLiteral("MM")
                                                                    : QString();
        if (widest.isEmpty()) {
            header->setSectionResizeMode(column, QHeaderView::Stretch);
        } else {
            header->setSectionResizeMode(column, QHeaderView::Fixed);
            header->resizeSection(column, qMax(metrics.horizontalAdvance(widest), metrics.horizontalAdvance(caption)) + 28);
        }
    }
    // The code is what the operator came for: copying it from the grid helps.
    connect(DataGrid1, &QTableView::doubleClicked, this, [this, columns](const QModelIndex &index) {
        for (int column = 0; column < columns->columnCount(); ++column)
            if (columns->captionOf(column) == LookupText::CodeColumn)
                Text5->setText(columns->index(index.row(), column).data().toString());
    });
}

void FrmCode::buildCommands()
{
    Frame1 = new QGroupBox(LookupText::Frame1Caption, this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(4680, 5280, 5175, 1680));
    Frame1->setAlignment(Qt::AlignRight);
    auto *label = new SkinLabel(QStringLiteral("Label5"), LookupText::Text5Label, Frame1);
    label->setGeometry(twipsRect(2760, 420, 2235, 375));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text5 = new QLineEdit(Frame1);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setGeometry(twipsRect(840, 420, 1800, 375));
    Command2 = PanelButton(Frame1, QStringLiteral("Command2"), LookupText::Command2Caption, twipsRect(1560, 960, 2055, 495));

    Command1 = PanelButton(this, QStringLiteral("Command1"), LookupText::Command1Caption, twipsRect(360, 5400, 3240, 555));
    Command6 = PanelButton(this, QStringLiteral("Command6"), LookupText::Command6Caption, twipsRect(360, 6240, 3240, 555));
    connect(Command1, &QPushButton::clicked, this, &FrmCode::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmCode::Command2_Click);
    connect(Text5, &QLineEdit::returnPressed, this, &FrmCode::Command2_Click);
    connect(Command6, &QPushButton::clicked, this, &QWidget::close);
}

void FrmCode::Form_Load()
{
    for (RecordSet *recordSet : {Adodc1, Adodc3, Adodc4})
        if (!StoreSucceeded(this, recordSet->open(), *recordSet))
            break;
    move(twipsPoint(2340, 765));
    m_theme->apply();
    showEverySubject();
}

void FrmCode::closeEvent(QCloseEvent *event)
{
    emit closed();
    event->accept();
}

void FrmCode::emptyChooser(QComboBox *chooser, const QString &text)
{
    const QSignalBlocker quiet(chooser);
    chooser->setCurrentIndex(-1);
    chooser->setEditText(text);
}

// Each name chooser lists the names of the subjects now listed, each once, in Persian alphabetical order.
void FrmCode::fillNameLists()
{
    QCollator persian{QLocale(QLocale::Persian, QLocale::Iran)};
    for (const auto &[chooser, field] : {std::pair{DataCombo1, QStringLiteral("LName")}, std::pair{DataCombo6, QStringLiteral("FName")}}) {
        QStringList names;
        if (!StoreSucceeded(this, Adodc2->readDistinctValues(field, &names), *Adodc2))
            names.clear();
        std::sort(names.begin(), names.end(), persian);
        const QSignalBlocker quiet(chooser);
        const QString typed = chooser->currentText();
        const int cursor = chooser->lineEdit()->cursorPosition();
        chooser->clear();
        chooser->addItems(names);
        chooser->setCurrentIndex(-1);
        chooser->setEditText(typed);
        chooser->lineEdit()->setCursorPosition(cursor);
    }
}

bool FrmCode::filterSubjects(const QString &field, const QString &value)
{
    if (!StoreSucceeded(this, Adodc2->filterBy(field, value), *Adodc2))
        return false;
    fillNameLists();
    return true;
}

void FrmCode::showEverySubject()
{
    StoreSucceeded(this, Adodc2->refresh(), *Adodc2);
    emptyChooser(DataCombo1);
    emptyChooser(DataCombo6);
    emptyChooser(Combo3, LookupText::Combo3Initial);
    fillNameLists();
}

// Narrow the grid to one group.
void FrmCode::Combo3_Change()
{
    emptyChooser(DataCombo1);
    emptyChooser(DataCombo6);
    filterSubjects(QStringLiteral("Group"), Combo3->currentText());
}

// Narrow the grid to one last name.
void FrmCode::DataCombo1_Change()
{
    emptyChooser(DataCombo6);
    emptyChooser(Combo3);
    filterSubjects(QStringLiteral("LName"), DataCombo1->currentText());
}

// Narrow the grid to one first name.
void FrmCode::DataCombo6_Change()
{
    filterSubjects(QStringLiteral("FName"), DataCombo6->currentText());
    emptyChooser(DataCombo1);
    emptyChooser(Combo3);
}

// The result table of the subjects listed, once a group has been chosen.
void FrmCode::Command1_Click()
{
    if (Combo3->currentText().isEmpty()) {
        ShowSelfClosingMessage(this, LookupText::GroupRequired);
        return;
    }
    std::shared_ptr<const Report::RowSource> rows;
    if (!StoreSucceeded(this, ResultReports::StreamRows(*Adodc2, ResultReports::DataRPrintFields(), &rows), *Adodc2))
        return;
    // The clinic's name and address as stored now, both of them, for every print.
    ResultReports::Clinic clinic;
    QString error;
    StoreFailure failure = StoreFailure::Other;
    if (!ResultReports::ReadClinic(&clinic, &error, &failure)) {
        ShowStoreFailure(this, failure, error);
        return;
    }
    ReportPreview::show(ResultReports::DataRPrint(clinic), std::move(rows), this);
    StoreSucceeded(this, Adodc3->refresh(), *Adodc3);
}

// Both rows of the subject in one transaction: together or not at all. A
// subject registered without an answer row goes whole all the same.
bool FrmCode::deleteSubject(QString *error)
{
    Transaction transaction{Adodc3, Adodc4};
    const auto failed = [&](const RecordSet &rows) {
        *error = StoreFailureText(rows.failure(), rows.errorText());
        return false;
    };
    if (!transaction.isActive()) {
        *error = StoreFailureText(transaction.failure(), transaction.errorText());
        return false;
    }
    if (!Adodc3->deleteCurrent())
        return failed(*Adodc3);
    if (!Adodc4->isEmpty() && !Adodc4->deleteCurrent())
        return failed(*Adodc4);
    if (!transaction.commit()) {
        *error = StoreFailureText(transaction.failure(), transaction.errorText());
        return false;
    }
    return true;
}

// Delete the subject whose code is typed, after the operator's Yes.
void FrmCode::Command2_Click()
{
    const QString code = Text5->text();
    if (code.isEmpty()) {
        ShowSelfClosingMessage(this, LookupText::CodeRequired);
        return;
    }
    const QString codeField = QStringLiteral("Code");
    if (!StoreSucceeded(this, Adodc3->filterBy(codeField, code), *Adodc3))
        return;
    if (Adodc3->isEmpty()) {
        ShowSelfClosingMessage(this, LookupText::NoSuchCode);
        StoreSucceeded(this, Adodc3->refresh(), *Adodc3);
        return;
    }
    if (!StoreSucceeded(this, Adodc4->filterBy(codeField, code), *Adodc4))
        return;
    if (!prompts().question(this, LookupText::ConfirmDelete, ApplicationTitle)) {
        showEverySubject();
        StoreSucceeded(this, Adodc3->refresh(), *Adodc3);
        return;
    }
    QString error;
    if (!deleteSubject(&error)) {
        prompts().message(this, error, QStringLiteral("خطا"), Prompts::Icon::Exclamation);
        return;
    }
    ShowSelfClosingMessage(this, LookupText::Deleted);
    Text5->clear();
    Text5->setFocus();
    StoreSucceeded(this, Adodc4->refresh(), *Adodc4);
    StoreSucceeded(this, Adodc3->refresh(), *Adodc3);
    showEverySubject();
}
