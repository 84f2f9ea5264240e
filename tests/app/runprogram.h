#pragma once

#include "support/programfolder.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// A copy of the program run in a test's program folder, as a script would.
struct Run {
    int status = -1;
    QString errors;
};

inline Run runProgram(const ProgramFolder &folder, const QStringList &arguments, const QString &workingFolder = {})
{
    QProcess program;
    program.setWorkingDirectory(workingFolder.isEmpty() ? folder.path() : workingFolder);
    program.start(folder.filePath(QStringLiteral("quorvel")), arguments);
    Run run;
    if (!program.waitForFinished(60000))
        return run;
    run.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.errors = QString::fromUtf8(program.readAllStandardError());
    return run;
}

// Copies the built program into the folder; false when it cannot.
inline bool copyProgramInto(const ProgramFolder &folder)
{
    return QFile::copy(QString::fromLocal8Bit(qgetenv("QUORVEL_PROGRAM_TEMPLATE")) + QStringLiteral("/quorvel"),
                       folder.filePath(QStringLiteral("quorvel")));
}
