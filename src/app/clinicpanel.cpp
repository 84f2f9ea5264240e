#include "app/clinicpanel.h"

#include "app/settingstext.h"
#include "store/recordset.h"
#include "ui/fieldbinding.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/skinlabel.h"
#include "ui/storeerror.h"
#include "ui/twips.h"

#include <QLineEdit>
#include <QPushButton>

#include <tuple>

namespace {

QLineEdit *addBox(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFont(arialFont(12));
    return box;
}

}  // namespace

ClinicPanel::ClinicPanel(RecordSet *settings, QWidget *parent) : QFrame(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("Frame9"));
    setProperty("panel", true);
    setGeometry(twipsRect(1440, 4860, 2475, 975));
    Text2 = addBox(this, QStringLiteral("Text2"), twipsRect(120, 300, 5355, 615));
    Text14 = addBox(this, QStringLiteral("Text14"), twipsRect(120, 1020, 5355, 615));
    // Each caption in the face of the text it labels, one gap from its box;
    // the boxes give up what the larger captions need at the panel's right.
    QList<SkinLabel *> captions;
    for (auto [name, caption, box] : {std::tuple{"SkinLabel4", SettingsText::SkinLabel4Caption, Text2},
                                      std::tuple{"SkinLabel5", SettingsText::SkinLabel5Caption, Text14}}) {
        SkinLabel *label = SkinLabel::fieldCaption(QString::fromLatin1(name), caption, this, QRect());
        label->setFont(box->font());
        captions << label;
    }
    int widest = 0;
    for (SkinLabel *label : captions)
        widest = qMax(widest, label->fontMetrics().horizontalAdvance(label->text().trimmed()) + 2);
    const int boxRight = twips(6075) - twips(120) - widest - SkinLabel::kGap;
    for (int i = 0; i < captions.size(); ++i) {
        QLineEdit *box = i == 0 ? Text2 : Text14;
        box->setGeometry(QRect(box->geometry().topLeft(), QPoint(qMin(box->geometry().right(), boxRight), box->geometry().bottom())));
        captions.at(i)->standBeside(box);
    }
    QPushButton *save = PanelButton(this, QStringLiteral("Command64"), SettingsText::Command64Caption, twipsRect(3180, 1680, 855, 495));
    QPushButton *cancel = PanelButton(this, QStringLiteral("Command7"), SettingsText::Command7Caption, twipsRect(2100, 1680, 855, 495));
    FieldBinding::bind(Text2, settings, QStringLiteral("Name"));
    FieldBinding::bind(Text14, settings, QStringLiteral("Adress"));
    connect(save, &QPushButton::clicked, this, &ClinicPanel::Command64_Click);
    // Cancel stores nothing and undoes nothing: the next read of the row shows what is stored.
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void ClinicPanel::open()
{
    show();
    setGeometry(twipsRect(1620, 840, 6075, 2295));
}

// Store the name and address; a refusal says why and keeps the panel and the typed texts.
void ClinicPanel::Command64_Click()
{
    if (!StoreSucceeded(window(), m_settings->commit(), *m_settings))
        return;
    for (int read = 0; read < 2; ++read)
        if (!StoreSucceeded(window(), m_settings->refresh(), *m_settings))
            return;
    hide();
}
