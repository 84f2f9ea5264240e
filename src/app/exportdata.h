#pragma once

#include "app/programoptions.h"

// --export FILE [--group G]: writes the chosen subjects as an SPSS, Excel or
// CSV file, the format taken from the file's extension, reading the program
// folder's database only. Returns the exit status: 0 when the file was
// written; otherwise the reason goes to the error output.
int ExportData(const ProgramOptions &options);
