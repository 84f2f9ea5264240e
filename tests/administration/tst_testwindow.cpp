#include <QTest>
class TestTestWindow : public QObject { Q_OBJECT };
QTEST_MAIN(TestTestWindow)
#include "tst_testwindow.moc"
