#include "administration/frmq.h"

#include "store/programplaces.h"

#include "administration/sheettext.h"
#include "store/recordset.h"
#include "ui/storeerror.h"
#include "ui/twips.h"
#include "ui/windowkeys.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfView>

FrmQ::FrmQ(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmQ"));
    CloseByKeyboard(this);
    setWindowTitle(SheetText::QuestionSheetCaption);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twips(10365), twips(9045));

    Adodc1 = new RecordSet(QStringLiteral("Adodc1"), QStringLiteral("Theme"), this);
    m_theme = std::make_unique<WindowTheme>(this, Adodc1, QStringLiteral("Text1"));
    Text1 = m_theme->box();

    m_document = new QPdfDocument(this);
    WebBrowser1 = new QPdfView(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setGeometry(twipsRect(180, 300, 9855, 8355));
    WebBrowser1->setPageMode(QPdfView::PageMode::MultiPage);
    WebBrowser1->setZoomMode(QPdfView::ZoomMode::FitToWidth);

    Form_Load();
}

QString FrmQ::sheetPath()
{
    // Joined as written, so a program in the root folder gives "//qu.pdf", which still names the file.
    const QString own = QDir::currentPath() + QStringLiteral("/qu.pdf");
    // An installed package ships the sheet beside the program instead.
    const QString shipped = ProgramPlaces::shippedFile(QStringLiteral("qu.pdf"));
    return QFileInfo::exists(own) || shipped == QLatin1String("qu.pdf") ? own : shipped;
}

// Load: in its place and theme, the question sheet in the viewer.
void FrmQ::Form_Load()
{
    StoreSucceeded(this, Adodc1->open(), *Adodc1);
    move(twipsPoint(2340, 200));
    m_theme->apply();
    m_document->load(sheetPath());
    WebBrowser1->setDocument(m_document);
}

void FrmQ::closeEvent(QCloseEvent *event)
{
    emit closed();
    event->accept();
}
