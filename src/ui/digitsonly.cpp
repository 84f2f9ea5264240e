#include "digitsonly.h"

#include "selfclosingmessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

namespace {

const QString kMustEnterNumber = QStringLiteral("شما بايد عدد وارد كنيد");

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

void complain(QLineEdit *box)
{
    QApplication::beep();
    ShowSelfClosingMessage(box->window(), kMustEnterNumber);
}

// Refuses pasted or dropped text that holds anything but digits.
class DigitsValidator : public QValidator
{
public:
    explicit DigitsValidator(QLineEdit *box) : QValidator(box), m_box(box) {}

    State validate(QString &input, int &) const override
    {
        for (const QChar c : std::as_const(input)) {
            if (!isAsciiDigit(c)) {
                complainLater();
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    // Told once the line edit has finished refusing the change.
    void complainLater() const
    {
        if (m_complaintQueued)
            return;
        m_complaintQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_complaintQueued = false;
            if (m_box)
                complain(m_box);
        });
    }

    QPointer<QLineEdit> m_box;
    mutable bool m_complaintQueued = false;
};

// Drops typed keys that are not digits before they reach the box.
class DigitKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QChar c = text.front();
        if (isAsciiDigit(c) || c == QLatin1Char('\b') || c == QLatin1Char('\r') || c == QLatin1Char('\n')
            || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return false;
        if (!c.isPrint() && c != QLatin1Char(' '))
            return false;  // Tab, Escape and the like are not text
        complain(static_cast<QLineEdit *>(watched));
        return true;
    }
};

}  // namespace

void AcceptDigitsOnly(QLineEdit *box)
{
    box->setValidator(new DigitsValidator(box));
    box->installEventFilter(new DigitKeyFilter(box));
}
