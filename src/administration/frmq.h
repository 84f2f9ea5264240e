#pragma once

#include "ui/windowtheme.h"

#include <memory>

#include <QWidget>

class QLineEdit;
class QPdfDocument;
class QPdfView;
class RecordSet;

// The question sheet window: shows the document qu.pdf from the program's
// folder. A missing or damaged file leaves the viewer empty, without a word.
class FrmQ : public QWidget
{
    Q_OBJECT

public:
    explicit FrmQ(QWidget *parent = nullptr);

    const Skin &skin() const { return m_theme->skin(); }
    const QPdfDocument *document() const { return m_document; }
    // Where the window looks for the sheet: the program's folder, then qu.pdf.
    static QString sheetPath();

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
    QPdfDocument *m_document;
    QPdfView *WebBrowser1;
};
