#include "app/desktop.h"

#include <QProcess>

namespace Desktop {
namespace {

QStringList &programs()
{
    static QStringList list{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                            QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
                            QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
    return list;
}

}  // namespace

QList<QUrl> makerSites()
{
    return {QUrl(QStringLiteral("https://www.quorvel.example/")), QUrl(QStringLiteral("https://shop.quorvel.example/"))};
}

QStringList calculatorPrograms()
{
    return programs();
}

void setCalculatorPrograms(const QStringList &list)
{
    programs() = list;
}

bool startCalculator()
{
    for (const QString &program : std::as_const(programs()))
        if (QProcess::startDetached(program, {}))
            return true;
    return false;
}

}  // namespace Desktop
