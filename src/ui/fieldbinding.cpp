#include "ui/fieldbinding.h"

#include "store/recordset.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

FieldBinding::FieldBinding(QWidget *box) : QObject(box), m_box(box)
{
    setObjectName(QStringLiteral("FieldBinding"));
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        connect(edit, &QLineEdit::textChanged, this, &FieldBinding::writeText);
}

FieldBinding *FieldBinding::of(const QWidget *box)
{
    return box ? box->findChild<FieldBinding *>(QStringLiteral("FieldBinding"), Qt::FindDirectChildrenOnly) : nullptr;
}

FieldBinding *FieldBinding::bind(QWidget *box, RecordSet *recordSet, const QString &field)
{
    // A misspelt field would silently lose whatever is typed: the box takes no input instead.
    if (recordSet && !recordSet->hasField(field)) {
        qCritical("%s: no field %s in %s", qPrintable(box->objectName()), qPrintable(field),
                  qPrintable(recordSet->table()));
        box->setEnabled(false);
        return nullptr;
    }
    FieldBinding *binding = of(box);
    if (!binding)
        binding = new FieldBinding(box);
    binding->attach(recordSet, field);
    return binding;
}

void FieldBinding::attach(RecordSet *recordSet, const QString &field)
{
    if (recordSet != m_recordSet) {
        for (const QMetaObject::Connection &connection : std::as_const(m_connections))
            disconnect(connection);
        m_connections.clear();
        m_recordSet = recordSet;
        if (recordSet) {
            m_connections << connect(recordSet, &RecordSet::currentChanged, this, &FieldBinding::showCurrentRow);
        }
    }
    // What the box held was written into the previous field as it was typed, so nothing is lost here.
    m_field = field;
    showCurrentRow();
}

void FieldBinding::showCurrentRow()
{
    const QString text = m_recordSet ? m_recordSet->fieldText(m_field) : QString();
    m_showing = true;
    if (auto *edit = qobject_cast<QLineEdit *>(m_box)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto *label = qobject_cast<QLabel *>(m_box)) {
        if (label->text() != text)
            label->setText(text);
    }
    m_showing = false;
}

void FieldBinding::writeText(const QString &text)
{
    if (m_showing || !m_recordSet || m_recordSet->isBof())
        return;
    if (m_recordSet->fieldText(m_field) == text && !m_recordSet->field(m_field).isNull())
        return;
    if (text.isEmpty() && m_recordSet->field(m_field).isNull())
        return;
    // The field is known (checked at binding) and a current row exists, so this cannot be refused.
    [[maybe_unused]] const bool written = m_recordSet->setField(m_field, text);
}
