#pragma once

#include "ui/windowtheme.h"

#include <memory>

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class RecordSet;
class SkinLabel;

// The introduction window: what the questionnaire measures, how it is scored,
// and what is known of its reliability and validity. Read only.
class Frmravansanji : public QWidget
{
    Q_OBJECT

public:
    explicit Frmravansanji(QWidget *parent = nullptr);

    const Skin &skin() const { return m_theme->skin(); }

    // The introduction as the window holds it: five lines separated by CR LF.
    static QString introductionText();

signals:
    // The window closed; whoever opened it shows itself again.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    QLineEdit *Text1;
    QWidget *Frame1;
    SkinLabel *SkinLabel2;
    SkinLabel *SkinLabel1;
    QLabel *Label1;
    QPushButton *Command1;
};
