// Every window state of the program, in every theme, measured on its rendering:
// text that reads, captions beside their own boxes, boxes in the theme's colours.
#include "looks/lookcheck.h"
#include "support/modalguard.h"
#include "support/testmain.h"
#include "ui/skin.h"
#include "windowscenes.h"

#include <QTest>
#include <QWidget>

namespace {

// A fault the check would report that a colour fixed for the program
// explains; each says why it stays.
struct AllowedFault
{
    const char *scenePrefix;
    const char *kind;
    const char *widget;
    const char *reason;
};
const AllowedFault kAllowed[] = {
    {"about", "box colour", "Text1",
     "the about window keeps its own fixed colours in every theme: the credit line is dark blue on white"},
};

bool allowed(const QString &scene, const char *kind, const LookCheck::Finding &finding)
{
    for (const AllowedFault &fault : kAllowed)
        if (scene.startsWith(QLatin1String(fault.scenePrefix)) && qstrcmp(kind, fault.kind) == 0
            && finding.widget == QLatin1String(fault.widget))
            return true;
    return false;
}

}  // namespace

class TestLooks : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowInTheme_data()
    {
        QTest::addColumn<int>("theme");
        for (int theme = 1; theme <= 11; ++theme)
            QTest::addRow("theme %d", theme) << theme;
    }
    void everyWindowInTheme()
    {
        QFETCH(int, theme);
        QStringList faults;
        QStringList scenes;
        const auto check = [&](const QString &scene, QWidget *window) {
            scenes << scene;
            const QImage image = window->grab().toImage();
            const auto note = [&](const char *kind, const QList<LookCheck::Finding> &found) {
                for (const LookCheck::Finding &finding : found)
                    if (!allowed(scene, kind, finding))
                        faults << QStringLiteral("%1, theme %2, %3: %4: %5")
                                      .arg(scene)
                                      .arg(theme)
                                      .arg(QLatin1String(kind), finding.widget, finding.message);
            };
            note("contrast", LookCheck::contrastFaults(window, image));
            note("caption", LookCheck::captionFaults(window, image));
            // The theme's own colours, as its skin file gives them: a window's
            // palette is reworked by its style sheet.
            Skin skin;
            if (!skin.load(SkinFileForTheme(theme)))
                faults << QStringLiteral("the skin of theme %1 does not load").arg(theme);
            note("box colour", LookCheck::boxColourFaults(window, image, skin.palette()));
        };
        // The scenes show the program's dialogs on purpose, and answer its questions themselves.
        const ExpectRealDialog shownOnPurpose;
        QVERIFY(WindowScenes::showAll(theme, check));
        QVERIFY(scenes.contains(QStringLiteral("frm1")) && scenes.contains(QStringLiteral("frmbackup-copying")));
        for (const QString &fault : faults)
            qInfo().noquote() << fault;
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults in theme %2, listed above").arg(faults.size()).arg(theme)));
    }
};

QUORVEL_TEST_MAIN(TestLooks)
#include "tst_looks.moc"
