#include "analysis/frmanalysis.h"

#include "analysis/analysischarts.h"
#include "analysis/analysisformat.h"
#include "analysis/analysisreport.h"
#include "analysis/analysistext.h"
#include "analysis/frmanalysistext.h"
#include "analysis/progresswatch.h"
#include "preview/reportpreview.h"
#include "report/resultreports.h"
#include "store/recordset.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/prompts.h"
#include "ui/skinlabel.h"
#include "ui/storeerror.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// The window's size and the room kept round its parts, in pixels.
constexpr int kWidth = 860;
constexpr int kHeight = 640;
constexpr int kMargin = 12;
constexpr int kInner = 10;

QFont buttonFont()
{
    QFont font = arialFont(10);
    font.setBold(true);
    return font;
}

QTableWidget *makeTable(QWidget *parent, const QString &name, const QStringList &columns)
{
    auto *table = new QTableWidget(0, int(columns.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setAlternatingRowColors(true);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(26);
    table->horizontalHeader()->setFont(nazaninFont(10, true));
    table->horizontalHeader()->setHighlightSections(false);
    table->setFont(nazaninFont(10));
    return table;
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

QChartView *makeChartView(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *view = new QChartView(parent);
    view->setObjectName(name);
    view->setGeometry(geometry);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    // A chart's axes run left to right like its numbers; its Persian words shape all the same.
    view->setLayoutDirection(Qt::LeftToRight);
    return view;
}

// Puts a new chart in the view and lets the one before it go.
void replaceChart(QChartView *view, QChart *chart)
{
    QChart *previous = view->chart();
    view->setChart(chart);
    delete previous;
}

struct ExportKind
{
    const char *suffix;
    const QString &filter;
};

ExportKind exportKind(Analysis::ExportFormat format)
{
    switch (format) {
    case Analysis::ExportFormat::Sav:
        return {"sav", FrmAnalysisText::SavFilter};
    case Analysis::ExportFormat::Xlsx:
        return {"xlsx", FrmAnalysisText::XlsxFilter};
    case Analysis::ExportFormat::Csv:
        break;
    }
    return {"csv", FrmAnalysisText::CsvFilter};
}

}  // namespace

FrmAnalysis::FrmAnalysis(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmAnalysis"));
    CloseByKeyboard(this);
    setWindowTitle(FrmAnalysisText::WindowCaption);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(kWidth, kHeight);

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);

    Title = new SkinLabel(QStringLiteral("Title"), FrmAnalysisText::Title, this);
    Title->setGeometry(kMargin, 6, kWidth - 2 * kMargin, 40);
    Title->setAlignment(Qt::AlignCenter);
    Title->setProperty("role", QStringLiteral("title"));
    Title->setFont(QFont(QStringLiteral("B Titr"), 15));

    buildChoicePanel();
    buildViews();
    buildCommandPanel();

    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text1"));
    Text1 = m_theme->box();

    Form_Load();
}

FrmAnalysis::~FrmAnalysis() = default;

void FrmAnalysis::buildChoicePanel()
{
    Frame1 = Panel(this, QStringLiteral("Frame1"), QRect(kMargin, 50, kWidth - 2 * kMargin, 46));
    GroupChooser = new QComboBox(Frame1);
    GroupChooser->setObjectName(QStringLiteral("GroupChooser"));
    GroupChooser->setFont(nazaninFont(11));
    GroupChooser->addItem(AnalysisText::AllGroups);
    GroupChooser->addItems(Analysis::groupNames());
    GroupCaption = SkinLabel::fieldCaption(QStringLiteral("GroupCaption"), FrmAnalysisText::GroupCaption, Frame1, QRect());
    GroupCaption->setFont(nazaninFont(11, true));
    // The caption stands at the panel's right edge, its box one gap to its left.
    const int captionWidth = QFontMetrics(GroupCaption->font()).horizontalAdvance(GroupCaption->text()) + 2;
    const int chooserWidth = 150;
    GroupChooser->setGeometry(Frame1->width() - kInner - captionWidth - SkinLabel::kGap - chooserWidth, 8, chooserWidth, 30);
    GroupCaption->standBeside(GroupChooser);

    SubjectCount = new SkinLabel(QStringLiteral("SubjectCount"), QString(), Frame1);
    SubjectCount->setFont(nazaninFont(11));
    SubjectCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SubjectCount->setGeometry(kInner, 6, GroupChooser->x() - 3 * kInner - kInner, 34);
    connect(GroupChooser, &QComboBox::currentIndexChanged, this, &FrmAnalysis::GroupChooser_Change);
}

void FrmAnalysis::buildViews()
{
    Views = new QTabWidget(this);
    Views->setObjectName(QStringLiteral("Views"));
    Views->setGeometry(kMargin, 104, kWidth - 2 * kMargin, 470);
    Views->setFont(nazaninFont(11, true));
    Views->addTab(buildStatisticsPage(), FrmAnalysisText::StatisticsTab);
    Views->addTab(buildItemsPage(), FrmAnalysisText::ItemsTab);
    Views->addTab(buildChartsPage(), FrmAnalysisText::ChartsTab);
}

QWidget *FrmAnalysis::buildStatisticsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("StatisticsPage"));
    const int width = kWidth - 2 * kMargin - 2 * kInner - 4;
    GroupTable = makeTable(page, QStringLiteral("GroupTable"),
                           {FrmAnalysisText::GroupColumn, FrmAnalysisText::CountColumn, FrmAnalysisText::MeanColumn,
                            FrmAnalysisText::SdColumn, FrmAnalysisText::MinColumn, FrmAnalysisText::MedianColumn,
                            FrmAnalysisText::MaxColumn});
    GroupTable->setGeometry(kInner, kInner, width, 30 + 8 * 26 + 4);
    GroupTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    GroupTable->horizontalHeader()->setMinimumHeight(30);
    GroupTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GroupTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    AnovaResult = new SkinLabel(QStringLiteral("AnovaResult"), QString(), page);
    AnovaResult->setGeometry(kInner, GroupTable->geometry().bottom() + 14, width, 56);
    AnovaResult->setFont(nazaninFont(12));
    AnovaResult->setWordWrap(true);
    AnovaResult->setAlignment(Qt::AlignRight | Qt::AlignTop);

    NoScores = new SkinLabel(QStringLiteral("NoScores"), FrmAnalysisText::NoScores, page);
    NoScores->setGeometry(kInner, kInner + 20, width, 90);
    NoScores->setFont(nazaninFont(13, true));
    NoScores->setWordWrap(true);
    NoScores->setAlignment(Qt::AlignCenter);
    NoScores->hide();
    return page;
}

QWidget *FrmAnalysis::buildItemsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ItemsPage"));
    const int width = kWidth - 2 * kMargin - 2 * kInner - 4;
    AlphaResult = new SkinLabel(QStringLiteral("AlphaResult"), QString(), page);
    AlphaResult->setGeometry(kInner, 6, width, 48);
    AlphaResult->setFont(nazaninFont(12));
    AlphaResult->setWordWrap(true);
    AlphaResult->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    ItemTable = makeTable(page, QStringLiteral("ItemTable"),
                          {FrmAnalysisText::ItemColumn, FrmAnalysisText::ItemTextColumn, FrmAnalysisText::MeanColumn,
                           FrmAnalysisText::SdColumn, FrmAnalysisText::ItemTotalColumn,
                           FrmAnalysisText::AlphaIfDeletedColumn});
    ItemTable->setGeometry(kInner, 60, width, 470 - 36 - 60 - kInner);
    ItemTable->setWordWrap(false);
    ItemTable->setTextElideMode(Qt::ElideLeft);
    ItemTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView *header = ItemTable->horizontalHeader();
    header->setMinimumHeight(30);
    const QFontMetrics metrics(header->font());
    for (int column = 0; column < ItemTable->columnCount(); ++column) {
        if (column == 1) {
            header->setSectionResizeMode(column, QHeaderView::Stretch);
            continue;
        }
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        const QString caption = ItemTable->horizontalHeaderItem(column)->text();
        header->resizeSection(column, std::max(metrics.horizontalAdvance(caption), metrics.horizontalAdvance(QStringLiteral("0.000")))
                                          + 28);
    }
    return page;
}

QWidget *FrmAnalysis::buildChartsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ChartsPage"));
    const int width = kWidth - 2 * kMargin - 2 * kInner - 4;
    // Right to left: the group means, the twenty items beside them, the
    // histogram across the page under both, so that every range reads whole.
    const int groupsWidth = width * 2 / 5;
    GroupMeans = makeChartView(page, QStringLiteral("GroupMeans"), QRect(kInner + width - groupsWidth, 6, groupsWidth, 208));
    ItemMeans = makeChartView(page, QStringLiteral("ItemMeans"), QRect(kInner, 6, width - groupsWidth - kInner, 208));
    ScoreHistogram = makeChartView(page, QStringLiteral("ScoreHistogram"), QRect(kInner, 220, width, 204));
    return page;
}

void FrmAnalysis::buildCommandPanel()
{
    Frame2 = Panel(this, QStringLiteral("Frame2"), QRect(kMargin, 582, kWidth - 2 * kMargin, 48));
    const int buttonWidth = 130;
    const int top = 7;
    const int height = 34;
    int right = Frame2->width() - kInner;
    const auto next = [&](const char *name, const QString &caption) {
        QPushButton *button =
            PanelButton(Frame2, QString::fromLatin1(name), caption, QRect(right - buttonWidth, top, buttonWidth, height), buttonFont());
        button->setAutoDefault(false);
        right -= buttonWidth + kInner;
        return button;
    };
    ExportSav = next("ExportSav", FrmAnalysisText::ExportSavCaption);
    ExportXlsx = next("ExportXlsx", FrmAnalysisText::ExportXlsxCaption);
    ExportCsv = next("ExportCsv", FrmAnalysisText::ExportCsvCaption);
    PrintAnalysis = next("PrintAnalysis", FrmAnalysisText::PrintCaption);
    CloseAnalysis = PanelButton(Frame2, QStringLiteral("CloseAnalysis"), FrmAnalysisText::CloseCaption,
                                QRect(kInner, top, buttonWidth, height), buttonFont());
    CloseAnalysis->setAutoDefault(false);
    connect(ExportSav, &QPushButton::clicked, this, [this] { exportAs(Analysis::ExportFormat::Sav); });
    connect(ExportXlsx, &QPushButton::clicked, this, [this] { exportAs(Analysis::ExportFormat::Xlsx); });
    connect(ExportCsv, &QPushButton::clicked, this, [this] { exportAs(Analysis::ExportFormat::Csv); });
    connect(PrintAnalysis, &QPushButton::clicked, this, &FrmAnalysis::PrintAnalysis_Click);
    connect(CloseAnalysis, &QPushButton::clicked, this, &QWidget::close);
}

// The theme, the item texts and the subjects of every group.
void FrmAnalysis::Form_Load()
{
    StoreSucceeded(this, Adodc1->open(), *Adodc1);
    m_theme->apply();
    QString error;
    StoreFailure failure = StoreFailure::Other;
    m_itemTexts = Analysis::readItemTexts(&error, &failure);
    if (m_itemTexts.isEmpty())
        ShowStoreFailure(this, failure, error);
    readChoice(0);
    showResults();
}

QString FrmAnalysis::groupLabel() const
{
    return m_shownChoice == 0 ? AnalysisText::AllGroups : Analysis::groupNames().value(m_shownChoice - 1);
}

// Reads the subjects of the choice; on a cancel or a failure what was shown stays.
bool FrmAnalysis::readChoice(int index)
{
    const QString group = index == 0 ? QString() : Analysis::groupNames().value(index - 1);
    QList<Analysis::SubjectRecord> subjects;
    Analysis::ReadResult read;
    {
        const ProgressWatch watch(this, QStringLiteral("ReadProgress"), FrmAnalysisText::Reading);
        // The window shows statistics only: their columns read fastest.
        read = Analysis::readSubjects(group, &subjects, watch.progress(), Analysis::ReadDetail::ForStatistics);
    }
    if (read.status == Analysis::ReadStatus::Failed) {
        ShowStoreFailure(this, read.failure, read.error);
        return false;
    }
    if (read.status == Analysis::ReadStatus::Cancelled) {
        prompts().notice(this, FrmAnalysisText::ReadCancelled, 2500);
        return false;
    }
    m_results = Analysis::analyse(subjects);
    m_shownChoice = index;
    return true;
}

void FrmAnalysis::GroupChooser_Change(int index)
{
    if (!readChoice(index)) {
        const QSignalBlocker quiet(GroupChooser);
        GroupChooser->setCurrentIndex(m_shownChoice);
        return;
    }
    showResults();
}

void FrmAnalysis::showResults()
{
    SubjectCount->setText(FrmAnalysisText::SubjectCount.arg(m_results.subjects)
                              .arg(m_results.scored)
                              .arg(m_results.reliability.n));
    const bool scored = m_results.all.n > 0;
    NoScores->setVisible(!scored);
    GroupTable->setVisible(scored);
    AnovaResult->setVisible(scored);
    showGroupTable();
    AnovaResult->setText(AnalysisFormat::anovaLine(m_results.anova));
    AlphaResult->setText(AnalysisFormat::alphaLine(m_results.reliability));
    showItemTable();
    showCharts();
}

void FrmAnalysis::showGroupTable()
{
    GroupTable->setRowCount(0);
    const auto addRow = [this](const QString &group, const Analysis::Summary &summary, bool total) {
        const int row = GroupTable->rowCount();
        GroupTable->insertRow(row);
        QStringList cells = QStringList{group} + AnalysisFormat::summaryCells(summary);
        for (int column = 0; column < cells.size(); ++column) {
            QTableWidgetItem *item = cell(cells.at(column));
            if (total) {
                QFont font = GroupTable->font();
                font.setBold(true);
                item->setFont(font);
            }
            GroupTable->setItem(row, column, item);
        }
    };
    for (const Analysis::GroupSummary &group : m_results.groups)
        addRow(group.group, group.score, false);
    addRow(FrmAnalysisText::AllRow, m_results.all, true);
}

void FrmAnalysis::showItemTable()
{
    ItemTable->setRowCount(Analysis::kItems);
    for (int row = 0; row < Analysis::kItems; ++row) {
        const QStringList cells = row < m_results.reliability.items.size()
                                      ? AnalysisFormat::itemCells(m_results.reliability.items.at(row))
                                      : QStringList(4, AnalysisFormat::Dash);
        ItemTable->setItem(row, 0, cell(QString::number(row + 1)));
        QTableWidgetItem *text = cell(m_itemTexts.value(row), Qt::AlignRight | Qt::AlignVCenter);
        text->setToolTip(m_itemTexts.value(row));
        ItemTable->setItem(row, 1, text);
        for (int column = 0; column < cells.size(); ++column)
            ItemTable->setItem(row, column + 2, cell(cells.at(column)));
    }
}

void FrmAnalysis::showCharts()
{
    const QPalette colours = m_theme->skin().isLoaded() ? m_theme->skin().palette() : palette();
    replaceChart(ScoreHistogram, AnalysisCharts::scoreHistogram(m_results, colours));
    replaceChart(GroupMeans, AnalysisCharts::groupMeans(m_results, colours));
    replaceChart(ItemMeans, AnalysisCharts::itemMeans(m_results, colours));
    for (QChartView *view : {ScoreHistogram, GroupMeans, ItemMeans})
        view->setBackgroundBrush(colours.color(QPalette::AlternateBase));
}

// Writes the subjects of the choice to a file the operator names.
void FrmAnalysis::exportAs(Analysis::ExportFormat format)
{
    const ExportKind kind = exportKind(format);
    const QString suffix = QString::fromLatin1(kind.suffix);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed = QDir(documents.isEmpty() ? QDir::homePath() : documents)
                                 .filePath(QStringLiteral("quorvel-results.") + suffix);
    QString path = prompts().saveFileName(this, FrmAnalysisText::SaveCaption, proposed, kind.filter, Prompts::Replace::Ask);
    if (path.isEmpty())
        return;
    // A name typed without a known ending gets the one of the button pressed.
    if (!Analysis::formatForPath(path))
        path += QLatin1Char('.') + suffix;
    const Analysis::ExportFormat chosen = Analysis::formatForPath(path).value_or(format);

    Analysis::ExportResult result;
    {
        const ProgressWatch watch(this, QStringLiteral("ExportProgress"), FrmAnalysisText::Exporting);
        // Every column of the shown choice, read as it stands now.
        const QString group = m_shownChoice == 0 ? QString() : Analysis::groupNames().value(m_shownChoice - 1);
        result = Analysis::exportGroup(path, chosen, group, groupLabel(), m_itemTexts, watch.progress());
    }
    if (result.written)
        prompts().notice(this, FrmAnalysisText::ExportWritten.arg(QDir::toNativeSeparators(path)), 2500);
    else if (result.cancelled)
        prompts().notice(this, FrmAnalysisText::ExportCancelled, 2500);
    else
        prompts().message(this, result.error, FrmAnalysisText::ErrorCaption, Prompts::Icon::Critical);
}

// The analysis as shown, in the print preview.
void FrmAnalysis::PrintAnalysis_Click()
{
    ResultReports::Clinic clinic;
    QString error;
    StoreFailure failure = StoreFailure::Other;
    if (!ResultReports::ReadClinic(&clinic, &error, &failure)) {
        ShowStoreFailure(this, failure, error);
        return;
    }
    ReportPreview::show(AnalysisReportDesign(m_results, m_itemTexts, clinic, groupLabel()), Report::Rows(), this);
}

void FrmAnalysis::closeEvent(QCloseEvent *event)
{
    emit closed();
    event->accept();
}
