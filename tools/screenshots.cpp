// Renders every window state of the program to PNG files, in chosen themes, for a person to look at.
//   quorvel-screenshots OUTDIR [THEME...]     (themes 1 to 11; all when none are given)
// The result table and card are also written as PDF files, in the first theme asked for.
#include "windowscenes.h"

#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << "usage: quorvel-screenshots OUTDIR [THEME...]\n";
        return 2;
    }
    const QDir out(QDir(args.takeFirst()).absolutePath());
    out.mkpath(QStringLiteral("."));
    QList<int> themes;
    for (const QString &arg : args)
        themes << arg.toInt();
    if (themes.isEmpty())
        for (int theme = 1; theme <= 11; ++theme)
            themes << theme;

    for (int theme : themes) {
        const QString suffix = QStringLiteral("-theme%1.png").arg(theme, 2, 10, QLatin1Char('0'));
        const auto save = [&](const QString &name, QWidget *window) {
            window->grab().save(out.filePath(name + suffix));
        };
        if (!WindowScenes::showAll(theme, save, theme == themes.first() ? out.path() : QString()))
            return 1;
    }
    return 0;
}
