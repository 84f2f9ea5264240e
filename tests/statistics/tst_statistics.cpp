// The statistics layer on small fixtures whose numbers are worked out by hand
// (the same formulas PSPP's DESCRIPTIVES, ONEWAY and RELIABILITY use; the
// export test compares with PSPP itself).
#include "analysis/analysistext.h"
#include "analysis/statistics.h"

#include <QTest>

#include <cmath>

using namespace Analysis;

namespace {

SubjectRecord subject(const QString &group, const QString &score, std::array<int, kItems> answers = {})
{
    SubjectRecord record;
    record.code = QString::number(qHash(group + score + QString::number(answers[0])));
    record.group = group;
    record.score = score;
    record.answers = answers;
    return record;
}

std::array<int, kItems> sameAnswers(int first, int rest)
{
    std::array<int, kItems> answers;
    answers.fill(rest);
    answers[0] = first;
    return answers;
}

bool near(double a, double b, double tolerance = 1e-6)
{
    return std::abs(a - b) <= tolerance;
}

}  // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    // Groups A (20, 30), B (40, 50, 60) and C (70): C has one score, so the
    // F test runs over A and B. By hand: grand mean of A and B 40,
    // SSB = 2(25-40)^2 + 3(50-40)^2 = 750, SSW = 50 + 200 = 250, F(1, 3) = 9,
    // eta squared 0.75; p = P(F(1,3) > 9) = P(|t(3)| > 3) = 0.05767.
    void unequalGroups()
    {
        const Results results = analyse({subject("A", "20"), subject("A", "30"), subject("B", "40"), subject("B", "50"),
                                         subject("B", "60"), subject("C", "70"), subject("C", "")});
        QCOMPARE(results.subjects, 7);
        QCOMPARE(results.scored, 6);
        QCOMPARE(results.groups.size(), 3);
        const Summary a = results.groups[0].score;
        QCOMPARE(results.groups[0].group, QStringLiteral("A"));
        QVERIFY(a.n == 2 && near(a.mean, 25) && near(a.sd, std::sqrt(50.0)) && near(a.median, 25) && a.min == 20 && a.max == 30);
        const Summary b = results.groups[1].score;
        QVERIFY(b.n == 3 && near(b.mean, 50) && near(b.sd, 10) && near(b.median, 50));
        const Summary c = results.groups[2].score;
        QVERIFY(c.n == 1 && near(c.mean, 70) && !c.hasSd());
        QVERIFY(near(results.all.mean, 45) && near(results.all.sd, std::sqrt(350.0)) && near(results.all.median, 45));

        QVERIFY(results.anova.shown);
        QCOMPARE(results.anova.groups, 2);
        QCOMPARE(results.anova.dfBetween, 1);
        QCOMPARE(results.anova.dfWithin, 3);
        QVERIFY(near(results.anova.f, 9));
        QVERIFY(near(results.anova.etaSquared, 0.75));
        QVERIFY2(near(results.anova.p, 0.057669, 1e-5), qPrintable(QString::number(results.anova.p, 'g', 10)));
    }

    // Too few groups or no spread: the test is not shown, and says why.
    void anovaNotShown_data()
    {
        QTest::addColumn<QList<QList<double>>>("groups");
        QTest::addColumn<QString>("why");
        QTest::newRow("all in one group") << QList<QList<double>>{{20, 30, 40}} << AnalysisText::AnovaNeedsGroups;
        QTest::newRow("second group of one") << QList<QList<double>>{{20, 30}, {40}} << AnalysisText::AnovaNeedsGroups;
        QTest::newRow("none") << QList<QList<double>>{} << AnalysisText::AnovaNeedsGroups;
        QTest::newRow("no spread within groups") << QList<QList<double>>{{20, 20}, {40, 40}} << AnalysisText::AnovaNoVariance;
    }
    void anovaNotShown()
    {
        QFETCH(QList<QList<double>>, groups);
        QFETCH(QString, why);
        const Anova anova = oneWayAnova(groups);
        QVERIFY(!anova.shown);
        QCOMPARE(anova.whyNot, why);
        QVERIFY(std::isfinite(anova.f) && std::isfinite(anova.p));
    }

    // Four complete sheets: item 1 answers 2, 1, 4, 3 and the other nineteen
    // 1, 2, 3, 4. By hand: each item's variance 5/3, totals 21, 39, 61, 79
    // with variance 1924/3, alpha = 20/19 (1 - (100/3)/(1924/3)) = 0.997921;
    // item 1 against the rest r = 0.6 and alpha without it 1; item 2 against
    // the rest r = 0.999076, alpha without it 0.997692. A fifth sheet with a
    // missing answer and a sixth with a 5 are left out.
    void reliabilityOfCompleteSheets()
    {
        QList<SubjectRecord> subjects;
        const int firsts[] = {2, 1, 4, 3};
        for (int r = 0; r < 4; ++r)
            subjects << subject("A", "50", sameAnswers(firsts[r], r + 1));
        std::array<int, kItems> missing = sameAnswers(1, 2);
        missing[7] = 0;
        subjects << subject("A", "", missing);
        const Reliability result = analyse(subjects).reliability;
        QCOMPARE(result.n, 4);
        QVERIFY(result.shown);
        QVERIFY2(near(result.alpha, 0.997921, 1e-6), qPrintable(QString::number(result.alpha, 'g', 10)));
        QCOMPARE(result.items.size(), kItems);
        const ItemStatistics first = result.items[0];
        QVERIFY(near(first.mean, 2.5) && near(first.sd, std::sqrt(5.0 / 3)));
        QVERIFY(first.hasItemTotal && near(first.itemTotal, 0.6));
        QVERIFY(first.hasAlphaIfDeleted && near(first.alphaIfDeleted, 1.0));
        const ItemStatistics second = result.items[1];
        QVERIFY(second.hasItemTotal && near(second.itemTotal, 0.999076, 1e-6));
        QVERIFY(second.hasAlphaIfDeleted && near(second.alphaIfDeleted, 0.997692, 1e-6));
    }

    // An item everyone answers alike has no correlation with the rest; the
    // others and alpha still come out.
    void constantItem()
    {
        QList<SubjectRecord> subjects;
        for (int r = 0; r < 4; ++r)
            subjects << subject("A", "50", sameAnswers(2, r + 1));
        const Reliability result = analyse(subjects).reliability;
        QVERIFY(result.shown);
        QVERIFY(!result.items[0].hasItemTotal);
        QVERIFY(near(result.items[0].sd, 0));
        QVERIFY(result.items[1].hasItemTotal && near(result.items[1].itemTotal, 1.0));
        // Item variances 19 (5/3), totals 2 + 19r with variance 361 (5/3):
        // alpha = 20/19 (1 - 19/361) = 360/361; without the constant item 1.
        QVERIFY2(near(result.alpha, 360.0 / 361), qPrintable(QString::number(result.alpha, 'g', 10)));
        QVERIFY(result.items[0].hasAlphaIfDeleted && near(result.items[0].alphaIfDeleted, 1.0));
    }

    // Only item 1 varies; every other item is answered alike by everyone. No
    // item then has a rest that varies together with it: no item-total
    // correlation anywhere (item 1's rest is constant, the others are
    // themselves), alpha without item 1 has no variance to stand on, and
    // alpha, with all of the total's variance in one item, is exactly 0 (as
    // is alpha without any of the constant items). Nothing is NaN or infinite.
    void onlyOneItemVaries()
    {
        QList<SubjectRecord> subjects;
        for (int r = 0; r < 4; ++r)
            subjects << subject("A", "50", sameAnswers(r + 1, 2));
        const Reliability result = analyse(subjects).reliability;
        QCOMPARE(result.n, 4);
        QVERIFY(result.shown);
        QVERIFY(result.whyNot.isEmpty());
        QCOMPARE(result.alpha, 0.0);
        QVERIFY(!std::signbit(result.alpha));
        QCOMPARE(result.items.size(), kItems);
        const ItemStatistics &varying = result.items[0];
        QVERIFY(near(varying.sd, std::sqrt(5.0 / 3)));
        QVERIFY(!varying.hasItemTotal);
        QVERIFY(!varying.hasAlphaIfDeleted);
        for (int i = 1; i < kItems; ++i) {
            const ItemStatistics &item = result.items[i];
            QVERIFY(near(item.mean, 2) && item.sd == 0);
            QVERIFY2(!item.hasItemTotal, qPrintable(QString::number(item.number)));
            QVERIFY2(item.hasAlphaIfDeleted && item.alphaIfDeleted == 0 && !std::signbit(item.alphaIfDeleted),
                     qPrintable(QString::number(item.alphaIfDeleted)));
        }
        for (const ItemStatistics &item : result.items)
            for (double value : {item.mean, item.sd, item.itemTotal, item.alphaIfDeleted})
                QVERIFY2(std::isfinite(value), qPrintable(QString::number(item.number)));
    }

    void reliabilityNotShown_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("why");
        QTest::newRow("no sheet") << 0 << 1 << AnalysisText::AlphaNeedsRows;
        QTest::newRow("one sheet") << 1 << 3 << AnalysisText::AlphaNeedsRows;
        QTest::newRow("every sheet alike") << 3 << 2 << AnalysisText::AlphaNoVariance;
    }
    void reliabilityNotShown()
    {
        QFETCH(int, sheets);
        QFETCH(int, answer);
        QFETCH(QString, why);
        QList<SubjectRecord> subjects;
        for (int r = 0; r < sheets; ++r)
            subjects << subject("A", "40", sameAnswers(answer, answer));
        const Reliability result = analyse(subjects).reliability;
        QVERIFY(!result.shown);
        QCOMPARE(result.whyNot, why);
        QVERIFY(std::isfinite(result.alpha));
    }

    void summaryEdges()
    {
        QCOMPARE(summarize({}).n, 0);
        const Summary one = summarize({42});
        QVERIFY(one.n == 1 && one.mean == 42 && one.median == 42 && !one.hasSd() && one.sd == 0);
        const Summary even = summarize({80, 20, 50, 30});
        QVERIFY(near(even.median, 40) && even.min == 20 && even.max == 80);
    }

    void scoresAndBins_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("counted");
        QTest::addColumn<int>("bin");
        QTest::newRow("lowest") << "20" << true << 0;
        QTest::newRow("24") << "24" << true << 0;
        QTest::newRow("25") << "25" << true << 1;
        QTest::newRow("79") << "79" << true << 11;
        QTest::newRow("highest") << "80" << true << 11;
        QTest::newRow("blank") << " " << false << -1;
        QTest::newRow("empty") << "" << false << -1;
        QTest::newRow("text") << "x5" << false << -1;
        QTest::newRow("decimal") << "4.5" << false << -1;
        QTest::newRow("spaces round") << " 61 " << true << 8;
    }
    void scoresAndBins()
    {
        QFETCH(QString, stored);
        QFETCH(bool, counted);
        QFETCH(int, bin);
        const Results results = analyse({subject("A", stored)});
        QCOMPARE(results.scored, counted ? 1 : 0);
        qint64 binned = 0;
        for (int i = 0; i < 12; ++i) {
            binned += results.histogram[i];
            if (results.histogram[i])
                QCOMPARE(i, bin);
        }
        QCOMPARE(binned, bin >= 0 ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
