#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class RecordSet;

// Ties a text box or label to one field of a record set: the box shows the
// field of the current row, and every change of a text box's text is written
// into that row at once (the store receives it at the record set's commit).
class FieldBinding : public QObject
{
    Q_OBJECT

public:
    // Binds box (a QLineEdit or a QLabel) to field; binding a bound box again
    // moves it to the new record set and field. A field the table does not
    // have is refused: nullptr, and the box is disabled.
    static FieldBinding *bind(QWidget *box, RecordSet *recordSet, const QString &field);
    static FieldBinding *of(const QWidget *box);

    QString field() const { return m_field; }

private:
    FieldBinding(QWidget *box);
    void attach(RecordSet *recordSet, const QString &field);
    void showCurrentRow();
    void writeText(const QString &text);

    QWidget *m_box;
    QPointer<RecordSet> m_recordSet;
    QString m_field;
    bool m_showing = false;
    QList<QMetaObject::Connection> m_connections;
};
