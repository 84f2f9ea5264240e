#include "ui/windowtheme.h"

#include "ui/fieldbinding.h"
#include "ui/panels.h"

#include <QLineEdit>

WindowTheme::WindowTheme(QWidget *window, RecordSet *settings, const QString &boxName, QWidget *boxParent,
                         const QString &designText, const QRect &geometry)
    : m_window(window), m_box(HiddenBox(boxParent ? boxParent : window, boxName, designText, geometry))
{
    FieldBinding::bind(m_box, settings, QStringLiteral("TH"));
}

void WindowTheme::apply()
{
    ApplyTheme(m_window, m_skin, m_box);
}
