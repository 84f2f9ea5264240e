#pragma once

#include "app/programoptions.h"

// --print-results FILE.pdf [--group G]: writes the result table from the program folder's database without a
// window, reading only. Returns the exit status: 0 when the file was written;
// otherwise the reason goes to the error output.
int PrintResults(const ProgramOptions &options);
