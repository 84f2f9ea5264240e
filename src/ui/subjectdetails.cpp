#include "ui/subjectdetails.h"

#include "ui/fieldbinding.h"
#include "ui/skinlabel.h"
#include "ui/twips.h"

#include <QLineEdit>

QList<QLineEdit *> LayOutSubjectDetails(QWidget *frame, RecordSet *subject, const std::array<const char *, 9> &boxNames)
{
    // Each caption hugs the right edge of its own box (widths in twips fit the
    // caption), leaving the rest of the column as the gap to the next box.
    const struct {
        const char *label;
        QString caption;
        int captionWidth;
        const char *field;
    } details[] = {
        {"SkinLbl", QStringLiteral(" :کد"), 330, "Code"},
        {"SkinLabel1", QStringLiteral(" :نام"), 345, "FName"},
        {"SkinLabel2_0", QStringLiteral(" :نام خانوادگي"), 1065, "LName"},
        {"SkinLabel2_1", QStringLiteral(" :جنس"), 540, "Jens"},
        {"SkinLabel2_2", QStringLiteral(" :سن"), 375, "Sen"},
        {"SkinLabel2_3", QStringLiteral(" :وضعيت تاهل"), 1065, "Taahol"},
        {"SkinLabel2_4", QStringLiteral(" :ميزان تحصيلات"), 1260, "Tahsil"},
        {"SkinLabel2_5", QStringLiteral(" :تاريخ"), 510, "Date"},
        {"SkinLabel2_6", QStringLiteral(" :ساعت"), 570, "Time"},
    };
    QList<QLineEdit *> boxes;
    for (int i = 0; i < 9; ++i) {
        const int columnLeft = (2 - i % 3) * 3165;
        const int top = 240 + (i / 3) * 600;
        SkinLabel::fieldCaption(QString::fromLatin1(details[i].label), details[i].caption, frame,
                                twipsRect(columnLeft + 1635, top, details[i].captionWidth, 375));
        auto *box = new QLineEdit(frame);
        box->setObjectName(QString::fromLatin1(boxNames[i]));
        box->setGeometry(twipsRect(columnLeft + 120, top, 1515, 375));
        FieldBinding::bind(box, subject, QString::fromLatin1(details[i].field));
        boxes << box;
    }
    return boxes;
}
