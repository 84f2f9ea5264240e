#pragma once

#include "analysis/exports.h"
#include "analysis/statistics.h"
#include "analysis/subjectrecords.h"
#include "ui/windowtheme.h"

#include <QWidget>

#include <memory>

class QChartView;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class RecordSet;
class SkinLabel;

// The analysis window: the operator chooses every group or one of them and
// sees the score statistics of each group, the analysis of variance across
// them, the reliability of the twenty items and three charts; the chosen
// subjects are exported for SPSS, Excel or as CSV, and the analysis printed.
// Everything shown follows the group chosen.
class FrmAnalysis : public QWidget
{
    Q_OBJECT

public:
    explicit FrmAnalysis(QWidget *parent = nullptr);
    ~FrmAnalysis() override;

    const Skin &skin() const { return m_theme->skin(); }
    const Analysis::Results &results() const { return m_results; }
    // The choice as the window names it: every group, or the group's letter.
    QString groupLabel() const;

signals:
    // The window closed; whoever opened it shows itself again.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildChoicePanel();
    void buildViews();
    QWidget *buildStatisticsPage();
    QWidget *buildItemsPage();
    QWidget *buildChartsPage();
    void buildCommandPanel();

    void Form_Load();
    void GroupChooser_Change(int index);
    bool readChoice(int index);
    void showResults();
    void showGroupTable();
    void showItemTable();
    void showCharts();
    void exportAs(Analysis::ExportFormat format);
    void PrintAnalysis_Click();

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    QLineEdit *Text1;

    Analysis::Results m_results;
    QStringList m_itemTexts;
    int m_shownChoice = 0;

    SkinLabel *Title;
    QFrame *Frame1;
    SkinLabel *GroupCaption;
    QComboBox *GroupChooser;
    SkinLabel *SubjectCount;
    QTabWidget *Views;
    QTableWidget *GroupTable;
    SkinLabel *AnovaResult;
    SkinLabel *NoScores;
    SkinLabel *AlphaResult;
    QTableWidget *ItemTable;
    QChartView *ScoreHistogram;
    QChartView *GroupMeans;
    QChartView *ItemMeans;
    QFrame *Frame2;
    QPushButton *ExportSav;
    QPushButton *ExportXlsx;
    QPushButton *ExportCsv;
    QPushButton *PrintAnalysis;
    QPushButton *CloseAnalysis;
};
