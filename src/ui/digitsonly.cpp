#include "ui/digitsonly.h"

#include "ui/selfclosingmessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QTimer>

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

// Drops typed keys that are not digits, Backspace or Enter before they reach
// the box, and tells the operator of pasted or dropped text the box refused.
class DigitsGuard : public QObject
{
public:
    explicit DigitsGuard(QLineEdit *box) : QObject(box), m_box(box)
    {
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
        box->installEventFilter(this);
        // The validator refuses what the operator pastes, but also reports text
        // the program sets; that text stays in the box and is announced by
        // textChanged at once, so only a refusal without it is the operator's.
        connect(box, &QLineEdit::inputRejected, this, [this] {
            m_rejected = m_box->text();
            if (m_complaintDue)
                return;
            m_complaintDue = true;
            QTimer::singleShot(0, this, [this] {
                if (m_complaintDue && m_box)
                    complain(m_box);
                m_complaintDue = false;
            });
        });
        connect(box, &QLineEdit::textChanged, this, [this](const QString &text) {
            if (text == m_rejected)
                m_complaintDue = false;
        });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            complain(m_box);
            return true;
        }
        const QString text = key->text();
        if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QChar c = text.front();
        // A full box takes no further digit, quietly: the digit is fine, there is just no room.
        if (isAsciiDigit(c) && m_box->text().size() >= m_box->maxLength() && !m_box->hasSelectedText())
            return true;
        if (isAsciiDigit(c) || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter)
            return false;
        if (!c.isPrint())
            return false;  // Tab and the like move the focus; they are not text
        complain(m_box);
        return true;
    }

private:
    QPointer<QLineEdit> m_box;
    QString m_rejected;
    bool m_complaintDue = false;
};

}  // namespace

void AcceptDigitsOnly(QLineEdit *box)
{
    new DigitsGuard(box);
}
