#include "support/programfolder.h"
#include "ui/prompts.h"
#include "support/dialogs.h"
#include "support/modalguard.h"
#include "support/scriptedprompts.h"
#include "support/testmain.h"
#include "ui/selfclosingmessage.h"
#include "ui/skin.h"
#include "ui/windowtheme.h"
#include "ui/busypointer.h"
#include "ui/storeerror.h"
#include "store/database.h"
#include "store/recordset.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QStyleOptionGroupBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <array>
#include <cmath>

namespace {

// WCAG contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// CIE 1976 colour difference (delta E) of two colours, through CIE L*a*b*
// under daylight white: about 2 is the smallest difference an eye notices.
double colourDistance(const QColor &a, const QColor &b)
{
    auto lab = [](const QColor &c) {
        auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        const double r = linear(c.redF()), g = linear(c.greenF()), bl = linear(c.blueF());
        const double x = (0.4124 * r + 0.3576 * g + 0.1805 * bl) / 0.95047;
        const double y = 0.2126 * r + 0.7152 * g + 0.0722 * bl;
        const double z = (0.0193 * r + 0.1192 * g + 0.9505 * bl) / 1.08883;
        auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
        return std::array<double, 3>{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    const auto p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

// The pixel of rect that stands out most from background: a glyph's core.
QColor mostDistinctPixel(const QImage &image, const QRect &rect, const QColor &background)
{
    QColor best = background;
    double bestDistance = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const double distance = colourDistance(pixel, background);
            if (distance > bestDistance) {
                bestDistance = distance;
                best = pixel;
            }
        }
    return best;
}

// A plain window dressed in a theme, in a fresh program folder that holds the skins.
struct ThemedWindow {
    ThemedWindow(int theme, const QSize &size) : loaded(skin.load(SkinFileForTheme(theme)))
    {
        skin.apply(&window);
        window.resize(size);
    }
    ProgramFolder folder{false};
    Skin skin;
    bool loaded;
    QWidget window;
};

void addThemeRows()
{
    QTest::addColumn<int>("theme");
    for (int n = 1; n <= 11; ++n)
        QTest::addRow("%d", n) << n;
}

const QString kCaption = QStringLiteral("پيام");

}  // namespace

class TestUi : public QObject
{
    Q_OBJECT

private slots:
    void skinFileForTheme_data()
    {
        QTest::addColumn<QString>("themeText");
        QTest::addColumn<QString>("file");
        const char *const files[] = {"chizh.skn", "Green.skn", "galaxy.skn", "_temp.skn", "B-Studio.skn", "Mac.skn",
                                     "O-Universe.skn", "metallic.skn", "Paper.skn", "winaqua.skn", "office2007.skn"};
        for (int n = 1; n <= 11; ++n)
            QTest::addRow("%d", n) << QString::number(n) << QString::fromLatin1(files[n - 1]);
        QTest::newRow("digit then letters") << QStringLiteral("3abc") << QStringLiteral("galaxy.skn");
        QTest::newRow("blanks ignored") << QStringLiteral(" 1 1 ") << QStringLiteral("office2007.skn");
        QTest::newRow("whole fraction") << QStringLiteral("8.0") << QStringLiteral("metallic.skn");
        QTest::newRow("exponent") << QStringLiteral("1e1") << QStringLiteral("winaqua.skn");
        QTest::newRow("fraction") << QStringLiteral("2.5") << QString();
        QTest::newRow("zero") << QStringLiteral("0") << QString();
        QTest::newRow("twelve") << QStringLiteral("12") << QString();
        QTest::newRow("negative") << QStringLiteral("-3") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("letters first") << QStringLiteral("abc3") << QString();
    }

    void skinFileForTheme()
    {
        QFETCH(QString, themeText);
        QFETCH(QString, file);
        QCOMPARE(SkinFileForTheme(ReadNumber(themeText)), file);

        ProgramFolder folder(false);
        QWidget window;
        QLineEdit themeBox(themeText);
        Skin skin;
        ApplyTheme(&window, skin, &themeBox);
        QCOMPARE(skin.fileName(), file);
        QCOMPARE(skin.isLoaded(), !file.isEmpty());
        // Dressed when a skin loaded, in the plain look otherwise.
        QCOMPARE(window.styleSheet().isEmpty(), file.isEmpty());
        if (!file.isEmpty())
            QCOMPARE(window.palette().color(QPalette::Window), skin.palette().color(QPalette::Window));
    }

    void everyThemeKeepsTextReadable_data() { addThemeRows(); }

    void everyThemeKeepsTextReadable()
    {
        QFETCH(int, theme);
        ProgramFolder folder(false);
        Skin skin;
        QVERIFY(skin.load(SkinFileForTheme(theme)));
        QVERIFY(!skin.title().isEmpty());
        const QPalette &p = skin.palette();
        const struct {
            QPalette::ColorRole text, background;
        } pairs[] = {
            {QPalette::WindowText, QPalette::Window},   {QPalette::Text, QPalette::Base},
            {QPalette::Text, QPalette::AlternateBase},  {QPalette::ButtonText, QPalette::Button},
            {QPalette::ButtonText, QPalette::Light},    {QPalette::HighlightedText, QPalette::Highlight},
            {QPalette::WindowText, QPalette::Midlight}, {QPalette::ToolTipText, QPalette::ToolTipBase},
            {QPalette::Link, QPalette::Window},         {QPalette::ButtonText, QPalette::Midlight},
        };
        for (const auto &pair : pairs) {
            const double ratio = contrast(p.color(pair.text), p.color(pair.background));
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 role %2 on %3: contrast %4")
                                                  .arg(skin.fileName())
                                                  .arg(int(pair.text))
                                                  .arg(int(pair.background))
                                                  .arg(ratio)));
        }
        // The shared style is written out in the theme's colours.
        QWidget window;
        skin.apply(&window);
        QVERIFY(!window.styleSheet().contains(QStringLiteral("palette(")));
        QVERIFY(window.styleSheet().contains(p.color(QPalette::Button).name()));
    }

    // The surfaces that fill a window, its background and its buttons, must
    // tell any two themes apart at a glance.
    void themesAreDistinctAtAGlance()
    {
        ProgramFolder folder(false);
        QList<QPalette> palettes;
        for (int n = 1; n <= 11; ++n) {
            Skin skin;
            QVERIFY(skin.load(SkinFileForTheme(n)));
            palettes << skin.palette();
        }
        QStringList nearCopies;
        for (int i = 0; i < 11; ++i)
            for (int j = i + 1; j < 11; ++j) {
                const double window = colourDistance(palettes[i].color(QPalette::Window), palettes[j].color(QPalette::Window));
                const double button = colourDistance(palettes[i].color(QPalette::Button), palettes[j].color(QPalette::Button));
                if ((window + button) / 2 < 15)
                    nearCopies << QStringLiteral("%1 and %2 (window %3, button %4)")
                                      .arg(SkinFileForTheme(i + 1), SkinFileForTheme(j + 1))
                                      .arg(window, 0, 'f', 1)
                                      .arg(button, 0, 'f', 1);
            }
        QVERIFY2(nearCopies.isEmpty(), qPrintable(nearCopies.join(QStringLiteral("; "))));
    }

    // Hovering lightens a button's face and leaves its border alone; only
    // keyboard focus, and the default mark, set a button apart by its border,
    // so a hovered button never looks chosen beside the focused one.
    void buttonsShowHoverApartFromFocus_data() { addThemeRows(); }

    void buttonsShowHoverApartFromFocus()
    {
        QFETCH(int, theme);
        ThemedWindow themed(theme, QSize(400, 60));
        QVERIFY(themed.loaded);
        Skin &skin = themed.skin;
        QWidget &window = themed.window;
        QPushButton plain(&window), hovered(&window), focused(&window), preferred(&window);
        int left = 10;
        for (QPushButton *button : {&plain, &hovered, &focused, &preferred}) {
            button->setGeometry(left, 10, 80, 30);
            left += 90;
        }
        preferred.setDefault(true);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        focused.setFocus();
        QTest::mouseMove(&window, QPoint(5, 5));
        QTest::mouseMove(&hovered);
        QTRY_VERIFY(focused.hasFocus() && hovered.underMouse());

        const QPalette &p = skin.palette();
        const QColor highlight = p.color(QPalette::Highlight);
        auto topEdge = [](QPushButton &button) { return button.grab().toImage().pixelColor(button.width() / 2, 0); };
        auto face = [](QPushButton &button) { return button.grab().toImage().pixelColor(8, button.height() / 2); };
        QVERIFY2(colourDistance(topEdge(focused), highlight) < 3, qPrintable(topEdge(focused).name()));
        QVERIFY2(colourDistance(topEdge(hovered), highlight) > 10, qPrintable(topEdge(hovered).name()));
        QVERIFY2(colourDistance(topEdge(preferred), highlight) > 10, qPrintable(topEdge(preferred).name()));
        // The face under the pointer stands apart from the resting face at a glance.
        QVERIFY2(contrast(face(hovered), face(plain)) >= 1.3,
                 qPrintable(face(hovered).name() + QLatin1Char(' ') + face(plain).name() + QStringLiteral(" ")
                            + QString::number(contrast(face(hovered), face(plain)), 'f', 2)));
        QCOMPARE(face(plain), p.color(QPalette::Button));
    }

    // A group box's title (the test window's item number) is written in the
    // theme's text colour, whatever the theme.
    void groupBoxTitleTakesTheThemeTextColour_data() { addThemeRows(); }

    void groupBoxTitleTakesTheThemeTextColour()
    {
        QFETCH(int, theme);
        ThemedWindow themed(theme, QSize(200, 200));
        QVERIFY(themed.loaded);
        Skin &skin = themed.skin;
        QWidget &window = themed.window;
        QGroupBox box(QStringLiteral("20"), &window);
        box.setGeometry(20, 20, 150, 160);
        QFont font = box.font();
        font.setPointSize(16);
        font.setBold(true);
        box.setFont(font);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QStyleOptionGroupBox option;
        option.initFrom(&box);
        option.text = box.title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect title = box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
        QVERIFY(!title.isEmpty());
        const QPalette &p = skin.palette();
        const QColor ink = mostDistinctPixel(box.grab().toImage(), title, p.color(QPalette::Window));
        QVERIFY2(colourDistance(ink, p.color(QPalette::WindowText)) < 12,
                 qPrintable(ink.name() + QStringLiteral(" for ") + p.color(QPalette::WindowText).name()));
    }

    // Questions and errors open over a themed window and take its style: their
    // text must stay readable on their own background in every theme.
    void dialogsOverAThemedWindowStayReadable_data() { addThemeRows(); }

    void dialogsOverAThemedWindowStayReadable()
    {
        const ExpectRealDialog shownOnPurpose;
        QFETCH(int, theme);
        ThemedWindow themed(theme, QSize(300, 200));
        QVERIFY(themed.loaded);
        themed.window.show();
        QMessageBox box(QMessageBox::NoIcon, kCaption, QStringLiteral("بانک اطلاعات"), QMessageBox::Ok, &themed.window);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        const QImage image = box.grab().toImage();
        const QRect text(label->mapTo(&box, QPoint(0, 0)), label->size());
        const QColor background = image.pixelColor(text.topLeft() + QPoint(1, 1));
        const QColor ink = mostDistinctPixel(image, text, background);
        QVERIFY2(contrast(ink, background) >= 4.5,
                 qPrintable(ink.name() + QStringLiteral(" on ") + background.name()));
    }

    // A window takes the theme stored in the settings row through its hidden
    // box, and takes a new one when the row changes and it applies again.
    void windowThemeFollowsTheStoredNumber()
    {
        ProgramFolder folder;
        QVERIFY(folder.setTheme(QStringLiteral("7")));
        QWidget window;
        RecordSet settings(QStringLiteral("Adodc1"), QStringLiteral("Theme"));
        WindowTheme theme(&window, &settings, QStringLiteral("Text1"));
        QCOMPARE(theme.box()->objectName(), QStringLiteral("Text1"));
        QCOMPARE(theme.box()->parentWidget(), &window);
        QVERIFY(settings.open());
        QCOMPARE(theme.box()->text(), QStringLiteral("7"));
        theme.apply();
        QCOMPARE(theme.skin().fileName(), SkinFileForTheme(7));
        QCOMPARE(window.palette().color(QPalette::Window), theme.skin().palette().color(QPalette::Window));
        window.show();
        QVERIFY(!theme.box()->isVisible());

        QVERIFY(folder.setTheme(QStringLiteral("3")));
        QVERIFY(settings.refresh());
        theme.apply();
        QCOMPARE(theme.skin().fileName(), SkinFileForTheme(3));
    }

    void missingOrBrokenSkinLeavesThePlainLook_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not key=value") << QByteArray("this is not a skin\n");
        QTest::newRow("bad colour") << QByteArray("window=#zzzzzz\n");
        QTest::newRow("unknown key") << QByteArray("; x\nwindowColour=#ffffff\n");
        QTest::newRow("comments only") << QByteArray("; nothing here\n");
    }

    void missingOrBrokenSkinLeavesThePlainLook()
    {
        QFETCH(QByteArray, content);
        ProgramFolder folder(false);
        QFile::remove(QStringLiteral("galaxy.skn"));
        if (!content.isEmpty()) {
            QFile file(QStringLiteral("galaxy.skn"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QWidget window;
        window.setStyleSheet(QStringLiteral("QWidget { color: red; }"));
        QLineEdit themeBox(QStringLiteral("3"));
        Skin skin;
        ApplyTheme(&window, skin, &themeBox);
        QVERIFY(!skin.isLoaded());
        QVERIFY(window.styleSheet().isEmpty());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    void selfClosingBoxClosesItselfAndTheCallerGoesOn()
    {
        RealDialogs real;
        QWidget owner;
        owner.show();
        // Another window with the same title must be left alone.
        QMessageBox bystander(QMessageBox::NoIcon, kCaption, QStringLiteral("bystander"), QMessageBox::Ok);
        bystander.setModal(false);
        bystander.show();

        QPointer<QMessageBox> seen;
        bool openAfter200ms = false;
        QTimer::singleShot(200, [&] {
            seen = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            openAfter200ms = seen && seen->isVisible() && seen->windowTitle() == kCaption;
        });
        QElapsedTimer clock;
        clock.start();
        ShowSelfClosingMessage(&owner, QStringLiteral("text"));
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 950 && elapsed < 3000, qPrintable(QString::number(elapsed)));
        QVERIFY(openAfter200ms);
        QVERIFY(seen.isNull());  // the box is gone once the call returns
        QVERIFY(bystander.isVisible());
    }

    void selfClosingBoxLooksAsExpected()
    {
        RealDialogs real;
        QWidget owner;
        owner.show();
        QString title, text;
        int buttons = -1;
        QMessageBox::Icon icon = QMessageBox::Critical;
        whenModal<QMessageBox>([&](QMessageBox *box) {
            title = box->windowTitle();
            text = box->text();
            buttons = int(box->buttons().size());
            icon = box->icon();
            box->buttons().first()->click();  // OK before the period is up
        });
        QElapsedTimer clock;
        clock.start();
        ShowSelfClosingMessage(&owner, QStringLiteral("شما"), 2000);
        QVERIFY(clock.elapsed() < 1500);
        QCOMPARE(title, kCaption);
        QCOMPARE(text, QStringLiteral("شما"));
        QCOMPARE(buttons, 1);
        QCOMPARE(icon, QMessageBox::NoIcon);
        // The period passes with no box to close: nothing else is touched.
        QMessageBox later(QMessageBox::NoIcon, kCaption, QStringLiteral("later"), QMessageBox::Ok);
        later.setModal(false);
        later.show();
        QTest::qWait(2300);
        QVERIFY(later.isVisible());
    }

    // The save dialog asks before replacing a file unless its caller asks its own question.
    void saveDialogAsksBeforeReplacingOnlyWhenTold_data()
    {
        QTest::addColumn<int>("replace");
        QTest::addColumn<bool>("dialogAsks");
        QTest::newRow("the dialog asks") << int(Prompts::Replace::Ask) << true;
        QTest::newRow("the caller asks") << int(Prompts::Replace::NoQuestion) << false;
    }
    void saveDialogAsksBeforeReplacingOnlyWhenTold()
    {
        QFETCH(int, replace);
        QFETCH(bool, dialogAsks);
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("old.mdbB"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QWidget owner;
        owner.show();
        bool asks = !dialogAsks;
        whenModal<QFileDialog>([&asks](QFileDialog *dialog) {
            asks = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->reject();
        });
        DialogPrompts real;
        QCOMPARE(real.saveFileName(&owner, QStringLiteral("BACKUP"), existing, QStringLiteral("Database Backup (*.mdbB)"),
                                   Prompts::Replace(replace)),
                 QString());
        QCOMPARE(asks, dialogAsks);
    }

    // A file that is there, chosen and accepted in the real dialog: the dialog
    // asks its own question before replacing it only when the caller asks none.
    void chosenFileThatIsThereIsQuestionedOnlyWhenTold_data()
    {
        saveDialogAsksBeforeReplacingOnlyWhenTold_data();
    }
    void chosenFileThatIsThereIsQuestionedOnlyWhenTold()
    {
        QFETCH(int, replace);
        QFETCH(bool, dialogAsks);
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("old.mdbB"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QWidget owner;
        owner.show();
        // Answers Yes to every message box the dialog raises, and counts them.
        struct YesToEveryBox : QObject {
            int boxes = 0;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                auto *box = qobject_cast<QMessageBox *>(watched);
                if (box && event->type() == QEvent::Show) {
                    ++boxes;
                    QPointer<QMessageBox> shown(box);
                    QTimer::singleShot(0, qApp, [shown] {
                        if (shown)
                            shown->button(QMessageBox::Yes)->click();
                    });
                }
                return false;
            }
        } answering;
        qApp->installEventFilter(&answering);
        whenModal<QFileDialog>([&existing](QFileDialog *dialog) {
            dialog->selectFile(existing);
            static_cast<QDialog *>(dialog)->accept();  // the Save button's way
        });
        DialogPrompts real;
        const QString chosen = real.saveFileName(&owner, QStringLiteral("BACKUP"), existing,
                                                 QStringLiteral("Database Backup (*.mdbB)"), Prompts::Replace(replace));
        qApp->removeEventFilter(&answering);
        QCOMPARE(chosen, existing);
        QCOMPARE(answering.boxes, dialogAsks ? 1 : 0);
    }

    void realDialogsCarryTheirCaptionsAndButtons()
    {
        QWidget owner;
        owner.show();
        struct Seen {
            QString title, text;
            int buttons = -1;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            Qt::LayoutDirection direction = Qt::LeftToRight;
        } seen;
        // Reads the box that opens, then presses the button with the given role.
        auto answer = [&](QMessageBox::ButtonRole role) {
            whenModal<QMessageBox>([&seen, role](QMessageBox *box) {
                seen = {box->windowTitle(), box->text(), int(box->buttons().size()), box->icon(), box->layoutDirection()};
                for (QAbstractButton *button : box->buttons())
                    if (box->buttonRole(button) == role)
                        button->click();
            });
        };
        answer(QMessageBox::AcceptRole);
        DialogPrompts real;
        real.message(&owner, QStringLiteral("برنامه در حال اجراست"), QStringLiteral("Warnnig"), Prompts::Icon::Information);
        QCOMPARE(seen.title, QStringLiteral("Warnnig"));
        QCOMPARE(seen.text, QStringLiteral("برنامه در حال اجراست"));
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.direction, Qt::RightToLeft);

        answer(QMessageBox::NoRole);
        QVERIFY(!real.question(&owner, QStringLiteral("?"), QStringLiteral("Quorvel")));
        QCOMPARE(seen.buttons, 2);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        answer(QMessageBox::YesRole);
        QVERIFY(real.question(&owner, QStringLiteral("?"), QStringLiteral("Quorvel")));

        // The input box gives what was typed on OK and nothing on Cancel.
        for (const bool ok : {true, false}) {
            QString title;
            whenModal<QInputDialog>([&title, ok](QInputDialog *dialog) {
                title = dialog->windowTitle();
                dialog->setTextValue(QStringLiteral("17"));
                ok ? dialog->accept() : dialog->reject();
            });
            const QString typed = real.inputBox(&owner, QStringLiteral(" Plese Insert Code "), QStringLiteral("Enter Code "), QString());
            QCOMPARE(title, QStringLiteral("Enter Code "));
            QCOMPARE(typed, ok ? QStringLiteral("17") : QString());
        }
    }

    void scriptedPromptsRecordAndAnswer()
    {
        ScriptedPrompts scripted;
        scripted.expectInput(QStringLiteral("12"));
        QCOMPARE(prompts().inputBox(nullptr, QStringLiteral("code?"), QStringLiteral("c")), QStringLiteral("12"));
        ShowSelfClosingMessage(nullptr, QStringLiteral("notice"), 2000);
        QCOMPARE(scripted.notices(), QStringList{QStringLiteral("notice")});
        QCOMPARE(scripted.shown().last().periodMs, 2000);
        QCOMPARE(scripted.unused(), QStringList());
    }

    // A real dialog nobody expected fails the test that met it at once,
    // naming the dialog, and is closed so that nothing hangs.
    void unexpectedDialogFailsItsTestAtOnce_data()
    {
        QTest::addColumn<bool>("messageBox");
        QTest::newRow("message box") << true;
        QTest::newRow("input dialog") << false;
    }
    void unexpectedDialogFailsItsTestAtOnce()
    {
        QFETCH(bool, messageBox);
        QEXPECT_FAIL("", "the dialog was not expected", Continue);
        if (messageBox) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("بی‌خبر"), QStringLiteral("?"), QMessageBox::Ok);
            box.exec();
        } else {
            QInputDialog dialog;
            dialog.setWindowTitle(QStringLiteral("بی‌خبر"));
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        }
        QVERIFY2(lastUnexpectedDialog().startsWith(QStringLiteral("بی‌خبر (Q")), qPrintable(lastUnexpectedDialog()));
    }

    // Each function of the probe meets a dialog in a process of its own; the
    // unexpected ones end that function failed with the dialog named, on
    // their own and not through the watchdog, whose limit is set far off.
    void unexpectedDialogsEndTheirTestFailed_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("named");
        QTest::newRow("message box") << "messageBoxFromAWindow" << false
                                     << "a modal dialog no test expected: پیام بی‌خبر (QMessageBox)";
        QTest::newRow("plain dialog") << "plainDialogFromAWindow" << false
                                      << "a modal dialog no test expected: گفتگوی بی‌خبر (QDialog)";
        QTest::newRow("program's dialog") << "programDialogFromAWindow" << false
                                          << "a modal dialog no test expected: فرم آزمایشی (ProbeDialog)";
        QTest::newRow("left up by its script") << "dialogLeftUpByItsScript" << false
                                               << "a modal dialog left up after its test was done with it: پیام بی‌خبر (QMessageBox)";
        QTest::newRow("expected") << "expectedDialogIsLetBe" << true << "";
        QTest::newRow("expected progress box") << "expectedProgressBoxIsLetBe" << true << "";
        QTest::newRow("progress box of another name")
            << "progressBoxOfAnotherName" << false << "a modal dialog no test expected: Progress probe (QProgressDialog)";
        QTest::newRow("message box while a progress box is expected")
            << "messageBoxWhileAProgressBoxIsExpected" << false << "a modal dialog no test expected: پیام بی‌خبر (QMessageBox)";
        QTest::newRow("progress box left up")
            << "progressBoxLeftUpAfterItsWork" << false << "a progress box left up after its work was done: Progress probe (QProgressDialog)";
    }
    void unexpectedDialogsEndTheirTestFailed()
    {
        QFETCH(QString, function);
        QFETCH(bool, passes);
        QFETCH(QString, named);
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QTEST_FUNCTION_TIMEOUT"), QStringLiteral("600000"));
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(MODALGUARD_PROBE), {function});
        const bool ended = probe.waitForFinished(120000);
        if (!ended)
            probe.kill();
        probe.waitForFinished();
        const QString output = QString::fromUtf8(probe.readAll());
        QVERIFY2(ended, qPrintable(QStringLiteral("still waiting: ") + output));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QVERIFY2((probe.exitCode() == 0) == passes, qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("PASS   : ModalGuardProbe::%1()").arg(function)) == passes, qPrintable(output));
        QVERIFY2(named.isEmpty() ? !output.contains(QStringLiteral("modal dialog")) : output.contains(named), qPrintable(output));
    }

    // A prompt nobody scripted fails the test that met it, and is answered "no".
    void unexpectedPromptFailsItsTest()
    {
        ScriptedPrompts scripted;
        QEXPECT_FAIL("", "the question was not scripted", Continue);
        QVERIFY(!prompts().question(nullptr, QStringLiteral("unasked"), QStringLiteral("c")));
        QCOMPARE(scripted.unexpected(), QStringList{QStringLiteral("question: unasked")});
    }

    // Outside any test's own script, the one installed from the start refuses every prompt.
    void promptWithoutAScriptFailsItsTest()
    {
        QEXPECT_FAIL("", "no script is in force", Continue);
        QCOMPARE(prompts().inputBox(nullptr, QStringLiteral("code?"), QStringLiteral("c")), QString());
    }

    // A scripted answer never asked for fails the test when the script goes.
    void unusedScriptedAnswerFailsItsTest()
    {
        auto *scripted = new ScriptedPrompts;
        scripted->expectQuestion(true);
        QCOMPARE(scripted->unused(), QStringList{QStringLiteral("question")});
        Prompts *const inForce = scripted;
        QEXPECT_FAIL("", "the question was never asked", Continue);
        delete scripted;
        QVERIFY(&prompts() != inForce);
    }

    // While the store waits for a database another program holds, the
    // pointer says so; it comes back when the program runs its events again.
    void busyWaitShowsABusyPointer()
    {
        ProgramFolder folder;
        InstallBusyPointer();
        Store::setBusyWait(200);
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            other.setDatabaseName(folder.databasePath());
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE")));
            RecordSet subjects(QStringLiteral("Adodc1"), QStringLiteral("ide"));
            QVERIFY(!subjects.open());
            QVERIFY(QGuiApplication::overrideCursor());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        Store::setBusyWait(3000);
        Store::setBusyWaitObserver(nullptr);
        QTRY_VERIFY(!QGuiApplication::overrideCursor());
    }

    // The store's own words never reach the window: it names the cause in
    // Persian, and the words go to the error output. A failure the store
    // could not classify by a code still tells the cause its words name.
    void storeFailureShowsThePersianCauseOnly_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("cause");
        QTest::newRow("SQLite's full disk") << int(StoreFailure::Other)
                                            << QStringLiteral("database or disk is full Unable to fetch row")
                                            << int(StoreFailure::DiskFull);
        QTest::newRow("a held file") << int(StoreFailure::Other) << QStringLiteral("database is locked")
                                     << int(StoreFailure::Busy);
        QTest::newRow("a read-only file") << int(StoreFailure::Other)
                                          << QStringLiteral("attempt to write a readonly database")
                                          << int(StoreFailure::ReadOnly);
        QTest::newRow("a lost server") << int(StoreFailure::Other)
                                       << QStringLiteral("server closed the connection unexpectedly")
                                       << int(StoreFailure::Unreachable);
        QTest::newRow("a closed connection") << int(StoreFailure::Other) << QStringLiteral("the database was closed")
                                             << int(StoreFailure::Closed);
        QTest::newRow("a gone row") << int(StoreFailure::NoRow) << QStringLiteral("the row is no longer in the store")
                                    << int(StoreFailure::NoRow);
        QTest::newRow("classified by its code") << int(StoreFailure::Duplicate)
                                                << QStringLiteral("UNIQUE constraint failed: ide.Code")
                                                << int(StoreFailure::Duplicate);
        QTest::newRow("no cause named") << int(StoreFailure::Other) << QStringLiteral("no field Nmae in ide")
                                        << int(StoreFailure::Other);
    }
    void storeFailureShowsThePersianCauseOnly()
    {
        QFETCH(int, failure);
        QFETCH(QString, detail);
        QFETCH(int, cause);
        ScriptedPrompts scripted;
        scripted.expectMessage();
        QTest::ignoreMessage(QtWarningMsg, QStringLiteral("quorvel: store: %1").arg(detail).toUtf8().constData());
        ShowStoreFailure(nullptr, StoreFailure(failure), detail);
        const QString text = scripted.messages().value(0);
        QCOMPARE(text, StoreFailureText(StoreFailure(cause), QString()));
        QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(text));
        if (StoreFailure(cause) != StoreFailure::Other)
            QVERIFY(text != StoreFailureText(StoreFailure::Other, QString()));
    }
};

QUORVEL_TEST_MAIN(TestUi)
#include "tst_ui.moc"
