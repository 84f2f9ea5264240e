#include "analysis/analysisformat.h"

#include "analysis/frmanalysistext.h"

#include <QStringList>

#include <cmath>

namespace AnalysisFormat {

QString fixed(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : Dash;
}

QString plain(double value)
{
    if (!std::isfinite(value))
        return Dash;
    return value == std::floor(value) ? QString::number(value, 'f', 0) : QString::number(value, 'f', 2);
}

QString pValue(double p)
{
    if (!std::isfinite(p))
        return Dash;
    return p < 0.001 ? QStringLiteral("< 0.001") : QStringLiteral("= ") + QString::number(p, 'f', 3);
}

QStringList summaryCells(const Analysis::Summary &summary)
{
    if (summary.n == 0)
        return {QStringLiteral("0"), Dash, Dash, Dash, Dash, Dash};
    return {QString::number(summary.n),      fixed(summary.mean, 2), summary.hasSd() ? fixed(summary.sd, 2) : Dash,
            plain(summary.min),              plain(summary.median), plain(summary.max)};
}

QString leftToRight(const QString &text)
{
    // Left-to-right embedding, then pop directional formatting.
    return QChar(0x202A) + text + QChar(0x202C);
}

QString anovaLine(const Analysis::Anova &anova)
{
    if (!anova.shown)
        return FrmAnalysisText::AnovaCaption + anova.whyNot;
    const QString statistics = QStringLiteral("F(%1, %2) = %3, p %4, η² = %5")
                                   .arg(anova.dfBetween)
                                   .arg(anova.dfWithin)
                                   .arg(fixed(anova.f, 2), pValue(anova.p), fixed(anova.etaSquared, 3));
    return FrmAnalysisText::AnovaCaption + leftToRight(statistics);
}

QString alphaLine(const Analysis::Reliability &reliability)
{
    if (!reliability.shown)
        return FrmAnalysisText::AlphaCaption + reliability.whyNot;
    return FrmAnalysisText::AlphaCaption + leftToRight(QStringLiteral("α = ") + fixed(reliability.alpha, 3))
           + FrmAnalysisText::AlphaRows.arg(reliability.n);
}

QStringList itemCells(const Analysis::ItemStatistics &item)
{
    return {fixed(item.mean, 2), fixed(item.sd, 2), item.hasItemTotal ? fixed(item.itemTotal, 3) : Dash,
            item.hasAlphaIfDeleted ? fixed(item.alphaIfDeleted, 3) : Dash};
}

}  // namespace AnalysisFormat
