#pragma once

#include <QStringList>

// True when the command line asks for the result table as a PDF
// (--print-results FILE.pdf, optionally --group G) rather than the windows.
bool AsksForPrintResults(int argc, char **argv);

// Writes the result table from the program folder's database without a
// window, reading only. Returns the exit status: 0 when the file was written;
// otherwise the reason goes to the error output.
int PrintResults(const QStringList &arguments);
