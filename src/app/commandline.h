#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the program: its windows, or one file
// written without a window (--print-results, --export, --print-analysis,
// --copy-database).
enum class CommandMode { Windows, PrintResults, Export, PrintAnalysis, CopyDatabase, Version };
CommandMode AskedMode(int argc, char **argv);

// Runs a file-writing mode and returns the exit status: 0 when the file was
// written; otherwise the reason goes to the error output.
int RunCommand(CommandMode mode, const QStringList &arguments);

namespace CommandLine {
// Prints the reason to the error output and gives the failing exit status.
int fail(const QString &reason);
// Prepares the application (its data folder current, fonts, style) and opens
// the database it is set to, for reading only; false with the reason.
bool openForReading(QString *reason);

// What a file-writing mode was asked: "--option FILE [--group G]".
struct FileRequest
{
    QString path;      // absolute, named from where the command was given
    QString group;     // empty for every group
    bool groupGiven = false;
};
// Reads the request; false with the reason (a parse error, an unknown
// argument, or missingFile when no file is named).
bool readFileRequest(const QStringList &arguments, const QString &option, const QString &missingFile,
                     FileRequest *request, QString *reason);
}  // namespace CommandLine
