#pragma once

#include "app/programoptions.h"

#include <QString>

// Runs a mode without windows (not --help, which main answers with the usage)
// and returns the exit status: 0 when it did what was asked; otherwise the
// reason goes to the error output.
int RunCommand(const ProgramOptions &options);

namespace CommandLine {
// Prints the reason to the error output and gives the failing exit status.
int fail(const QString &reason);
// Refuses a command line that cannot be read: the reason and the usage go to
// the error output, and the exit status says the options were at fault.
int refuse(const QString &reason, const QString &usage);
// Prepares the application (its data folder current, fonts, style) and opens
// the database it is set to (databaseOption: the --database address, empty when
// none was given), for reading only; false with the reason.
bool openForReading(const QString &databaseOption, QString *reason);
}  // namespace CommandLine
