#pragma once

#include "ui/skin.h"

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

    const Skin &skin() const { return Skin1; }
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

    Skin Skin1;
    RecordSet *Adodc1;
    QLineEdit *Text1;
    QPdfDocument *m_document;
    QPdfView *WebBrowser1;
};
