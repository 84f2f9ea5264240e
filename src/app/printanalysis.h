#pragma once

#include "app/programoptions.h"

// --print-analysis FILE.pdf [--group G]: writes the results window's
// statistics and charts as a PDF report of A4 pages, reading the program
// folder's database only. Returns the exit status: 0 when the file was
// written; otherwise the reason goes to the error output.
int PrintAnalysis(const ProgramOptions &options);
