#include "app/frm1.h"

#include "store/database.h"

#include "analysis/frmanalysis.h"
#include "app/desktop.h"
#include "ui/fieldbinding.h"
#include "ui/fonts.h"
#include "app/about.h"
#include "app/clinicpanel.h"
#include "app/frm1text.h"
#include "app/themelistpanel.h"
#include "ui/panels.h"
#include "ui/picturebox.h"
#include "store/recordset.h"
#include "registry/frmcode.h"
#include "registry/registrationpanel.h"
#include "scoring/frmklid.h"
#include "administration/frmq.h"
#include "administration/frmravansanji.h"
#include "administration/testlauncher.h"
#include "ui/selfclosingmessage.h"
#include "ui/skinlabel.h"
#include "ui/storeerror.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Shown when no calculator program can be started on this desktop.
const QString kNoCalculator = QStringLiteral("ماشین حساب روی این رایانه پیدا نشد.");

}  // namespace

Frm1::Frm1(TestLauncher *launcher, QWidget *parent)
    : QWidget(parent),
      m_ownLauncher(launcher ? nullptr : std::make_unique<TestLauncher>()),
      m_testLauncher(launcher ? launcher : m_ownLauncher.get())
{
    setObjectName(QStringLiteral("Frm1"));
    setWindowTitle(Frm1Text::WindowCaption);
    setFixedSize(twips(10725), twips(8685));
    setMouseTracking(true);

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    Adodc2 = new RecordSet(QStringLiteral("Adodc2"), QStringLiteral("ide"), this);
    Adodc3 = new RecordSet(QStringLiteral("Adodc3"), QStringLiteral("Answer"), this);
    Adodc4 = new RecordSet(QStringLiteral("Adodc4"), QStringLiteral("Answer"), this);

    SkinLabel1 = new SkinLabel(QStringLiteral("SkinLabel1"), Frm1Text::SkinLabel1Text, this);
    SkinLabel1->setGeometry(twipsRect(1740, 120, 5955, 555));
    SkinLabel1->setAlignment(Qt::AlignCenter);
    SkinLabel1->setProperty("role", QStringLiteral("title"));
    SkinLabel1->setFont(QFont(QStringLiteral("B Titr"), 15));

    SkinLabel7 = new SkinLabel(QStringLiteral("SkinLabel7"), Frm1Text::SkinLabel7Text, this);
    SkinLabel7->setGeometry(twipsRect(135, 135, 795, 330));
    SkinLabel7->setProperty("role", QStringLiteral("version"));
    SkinLabel7->setToolTip(Frm1Text::StoreInUse.arg(Store::storeDescription()));

    SkinLabel2 = new SkinLabel(QStringLiteral("SkinLabel2"), QString(), this);
    SkinLabel2->setGeometry(twipsRect(300, 7740, 9975, 615));
    SkinLabel2->setWordWrap(true);
    SkinLabel2->setAlignment(Qt::AlignVCenter | Qt::AlignLeading);
    SkinLabel2->setProperty("role", QStringLiteral("help"));
    SkinLabel2->hide();

    Picture1 = new PictureBox(QStringLiteral("Picture1"), this);
    Picture1->setGeometry(twipsRect(720, 6540, 6270, 690));
    Picture1->setSvg(QStringLiteral(":/app/website.svg"));
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->setToolTip(Frm1Text::Picture1ToolTip);
    connect(Picture1, &PictureBox::clicked, this, &Frm1::Picture1_Click);

    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text1"), this, QStringLiteral("1"),
                                            twipsRect(0, 180, 375, 315));
    Text1 = m_theme->box();
    Text10 = HiddenBox(this, QStringLiteral("Text10"), QString(), twipsRect(0, 540, 375, 315));

    buildMenu();
    buildPanels();
    buildSettingsPanel();

    FieldBinding::bind(Text10, Adodc4, QStringLiteral("Code"));

    Form_Load();
}

Frm1::~Frm1() = default;

QPushButton *Frm1::addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(menuButtonFont());
    button->setAutoDefault(false);
    return button;
}

void Frm1::buildMenu()
{
    Frame7 = Panel(this, QStringLiteral("Frame7"), twipsRect(8280, 540, 2235, 7095), "menu");
    Frame7->setMouseTracking(true);
    Frame7->installEventFilter(this);

    auto menuButton = [this](const QString &name, const QString &caption, int top) {
        return addButton(Frame7, name, caption, twipsRect(240, top, 1785, 555));
    };
    Command1 = menuButton(QStringLiteral("Command1"), Frm1Text::Command1Caption, 180);
    Command2 = menuButton(QStringLiteral("Command2"), Frm1Text::Command2Caption, 780);
    Command3 = menuButton(QStringLiteral("Command3"), Frm1Text::Command3Caption, 1380);
    Command4 = menuButton(QStringLiteral("Command4"), Frm1Text::Command4Caption, 1980);
    Command11 = menuButton(QStringLiteral("Command11"), Frm1Text::Command11Caption, 2580);
    Command5 = menuButton(QStringLiteral("Command5"), Frm1Text::Command5Caption, 3180);
    Command13 = menuButton(QStringLiteral("Command13"), Frm1Text::Command13Caption, 3780);
    Command9 = menuButton(QStringLiteral("Command9"), Frm1Text::Command9Caption, 4380);
    Command12 = menuButton(QStringLiteral("Command12"), Frm1Text::Command12Caption, 4980);
    Command14 = menuButton(QStringLiteral("Command14"), Frm1Text::Command14Caption, 5580);
    // The longest caption of the column: two points smaller, it fits the button.
    QFont smaller = Command14->font();
    smaller.setPointSize(10);
    Command14->setFont(smaller);
    Command6 = menuButton(QStringLiteral("Command6"), Frm1Text::Command6Caption, 6300);
    Text3 = HiddenBox(Frame7, QStringLiteral("Text3"), QStringLiteral("1"), twipsRect(600, 4560, 735, 285));

    for (QPushButton *button : {Command1, Command2, Command3, Command4, Command9, Command14}) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }

    connect(Command1, &QPushButton::clicked, this, &Frm1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Frm1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Frm1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Frm1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Frm1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Frm1::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &Frm1::Command9_Click);
    connect(Command11, &QPushButton::clicked, this, &Frm1::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &Frm1::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &Frm1::Command13_Click);
    connect(Command14, &QPushButton::clicked, this, &Frm1::Command14_Click);
}

void Frm1::buildPanels()
{
    Frame6 = new ThemeListPanel(this);
    connect(Frame6, &ThemeListPanel::themeChosen, this, &Frm1::ThemeButton_Click);
    Frame9 = new ClinicPanel(Adodc1, this);
    Text2 = Frame9->nameBox();
    connect(Text2, &QLineEdit::textChanged, this, &Frm1::Text2_Change);
    Frame10 = new RegistrationPanel(Adodc2, Adodc3, this);
    connect(Frame10, &RegistrationPanel::hidePanelsRequested, this, &Frm1::HidePanels);
}

void Frm1::buildSettingsPanel()
{
    Frame8 = Panel(this, QStringLiteral("Frame8"), twipsRect(6060, 3780, 2175, 2055));
    Command68 = addButton(Frame8, QStringLiteral("Command68"), Frm1Text::Command68Caption, twipsRect(120, 240, 1905, 555));
    Command67 = addButton(Frame8, QStringLiteral("Command67"), Frm1Text::Command67Caption, twipsRect(120, 840, 1905, 555));
    Command69 = addButton(Frame8, QStringLiteral("Command69"), Frm1Text::Command69Caption, twipsRect(480, 1500, 1185, 435));
    connect(Command69, &QPushButton::clicked, this, &Frm1::Command69_Click);
    connect(Command68, &QPushButton::clicked, this, &Frm1::Command68_Click);
    connect(Command67, &QPushButton::clicked, this, &Frm1::Command67_Click);
    Frame8->hide();
}

// Start-up: the record sets are read, the window placed and dressed in the stored theme.
void Frm1::Form_Load()
{
    for (RecordSet *recordSet : {Adodc1, Adodc2, Adodc3, Adodc4})
        if (!StoreSucceeded(this, recordSet->open(), *recordSet))
            break;
    Text2_Change(Text2->text());
    move(twipsPoint(2340, 765));
    m_theme->apply();
    setClosing(Closing::ForExit);
}

void Frm1::setClosing(Closing closing)
{
    m_closing = closing;
    Text3->setText(closing == Closing::ForThemeChange ? QStringLiteral("1") : QStringLiteral("2"));
}

void Frm1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

// Closing the window: quietly for a theme change, otherwise on the way out of the program.
void Frm1::Form_Unload()
{
    refreshSubjects();
    if (m_closing == Closing::ForThemeChange) {
        emit closedQuietly();
        return;
    }
    HidePanels();
    emit closedForExit();
}

// Re-reading the subjects drops a registration begun and not saved.
bool Frm1::refreshSubjects()
{
    return StoreSucceeded(this, Adodc2->refresh(), *Adodc2);
}

// Asked of the store at the click: another desk may have registered one since this window read its rows.
bool Frm1::anySubjectRegistered()
{
    bool any = false;
    return StoreSucceeded(this, Adodc3->readAnyStoredRow(&any), *Adodc3) && any;
}

void Frm1::HidePanels()
{
    for (QFrame *panel : std::initializer_list<QFrame *>{Frame6, Frame10, Frame8, Frame9})
        panel->hide();
    if (!Adodc2->isEmpty())
        refreshSubjects();
}

// Register a subject.
void Frm1::Command1_Click()
{
    HidePanels();
    Frame10->open();
}

// Run the test for a subject whose code the operator gives.
void Frm1::Command2_Click()
{
    if (anySubjectRegistered())
        m_testLauncher->launch(this, [this] { HidePanels(); });
}

// Keying: only once a subject has an answer row. The main window waits
// hidden, as it is, until the keying window closes.
void Frm1::Command3_Click()
{
    if (!anySubjectRegistered())
        return;
    HidePanels();
    auto *keying = new FrmkLID(this);
    keying->setAttribute(Qt::WA_DeleteOnClose);
    connect(keying, &FrmkLID::closed, this, &QWidget::show);
    keying->show();
    hide();
}

// Forgotten subject codes: only once a subject has an answer row. The main
// window waits hidden, as it is, until the lookup window closes.
void Frm1::Command4_Click()
{
    if (!anySubjectRegistered())
        return;
    HidePanels();
    auto *lookup = new FrmCode(this);
    lookup->setAttribute(Qt::WA_DeleteOnClose);
    connect(lookup, &FrmCode::closed, this, &QWidget::show);
    lookup->show();
    hide();
}

// The desktop's calculator; the main window stays as it is when none can be started.
void Frm1::Command5_Click()
{
    HidePanels();
    if (!Desktop::startCalculator())
        ShowSelfClosingMessage(this, kNoCalculator);
}

// Leave the program.
void Frm1::Command6_Click()
{
    HidePanels();
    close();
}

// The settings panel.
void Frm1::Command9_Click()
{
    HidePanels();
    Frame8->show();
    Frame8->setGeometry(twipsRect(6060, 3780, 2175, 2055));
}

// Introduction to the questionnaire, over the main window; the panels stay as they are.
void Frm1::Command11_Click()
{
    auto *introduction = new Frmravansanji(this);
    introduction->setAttribute(Qt::WA_DeleteOnClose);
    introduction->show();
}

// About the program, over the main window.
void Frm1::Command12_Click()
{
    HidePanels();
    auto *about = new About(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
}

// The question sheet, over the main window; the panels stay as they are.
void Frm1::Command13_Click()
{
    auto *sheet = new FrmQ(this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->show();
}

// Statistics and exports of the results. The main window waits hidden, as
// it is, until the analysis window closes.
void Frm1::Command14_Click()
{
    HidePanels();
    auto *analysis = new FrmAnalysis(this);
    analysis->setAttribute(Qt::WA_DeleteOnClose);
    connect(analysis, &FrmAnalysis::closed, this, &QWidget::show);
    analysis->show();
    hide();
}

// The theme list, beside the settings panel.
void Frm1::Command68_Click()
{
    HidePanels();
    Frame8->show();
    Frame6->open();
}

// The clinic's name and address.
void Frm1::Command67_Click()
{
    HidePanels();
    Frame8->show();
    Frame9->open();
}

// A theme chosen: stored, and the main window closes quietly to come back in it.
void Frm1::ThemeButton_Click(int theme)
{
    setClosing(Closing::ForThemeChange);
    const bool stored = StoreSucceeded(this, Adodc1->refresh(), *Adodc1)
                        && (Text1->setText(QString::number(theme)), StoreSucceeded(this, Adodc1->commit(), *Adodc1))
                        && StoreSucceeded(this, Adodc1->refresh(), *Adodc1);
    if (!stored) {
        // Nothing changed: the window stays, and leaving it later asks as usual.
        setClosing(Closing::ForExit);
        return;
    }
    close();
}

// Close the settings panel.
void Frm1::Command69_Click()
{
    HidePanels();
}

// The maker's web site, then its shop.
void Frm1::Picture1_Click()
{
    for (const QUrl &site : Desktop::makerSites())
        QDesktopServices::openUrl(site);
}

// The title band always shows the clinic's name as it stands in its box.
void Frm1::Text2_Change(const QString &text)
{
    SkinLabel1->setText(text);
}

void Frm1::showHelp(QObject *button)
{
    QString help;
    if (button == Command1)
        help = Frm1Text::Command1Help;
    else if (button == Command2)
        help = Frm1Text::Command2Help;
    else if (button == Command3)
        help = Frm1Text::Command3Help;
    else if (button == Command4)
        help = Frm1Text::Command4Help;
    else if (button == Command9)
        help = Frm1Text::Command9Help;
    else if (button == Command14)
        help = Frm1Text::Command14Help;
    else
        return;
    SkinLabel2->show();
    SkinLabel2->setText(help);
}

void Frm1::clearHelp()
{
    SkinLabel2->setText(QString());
    SkinLabel2->hide();
}

// Over the bare window the help line goes away; moves that reach here from a
// button or label below the pointer are not the bare window.
void Frm1::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        clearHelp();
    QWidget::mouseMoveEvent(event);
}

bool Frm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == Frame7) {
            const bool bare = event->type() == QEvent::Enter
                              || !Frame7->childAt(static_cast<QMouseEvent *>(event)->position().toPoint());
            if (bare)
                clearHelp();
        } else {
            showHelp(watched);
        }
    }
    return QWidget::eventFilter(watched, event);
}
