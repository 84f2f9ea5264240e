#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A program run to its end as a script runs it: what it printed on each
// output and the status it ended with. A run that does not end within the
// time is killed and reported unfinished, so a program that waits for a
// person cannot hang a test.
struct ProgramRun
{
    bool finished = false;
    int status = -1;  // -1 when it crashed or was killed
    QString output;
    QString errors;
};

inline ProgramRun runToEnd(const QString &program, const QStringList &arguments, const QString &workingFolder,
                           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                           int milliseconds = 60000)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(milliseconds);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    if (run.finished && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The environment of this process with one variable more.
inline QProcessEnvironment environmentWith(const QString &name, const QString &value)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(name, value);
    return environment;
}
