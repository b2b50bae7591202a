// The bench's measures. Each appends its rows; the idle run (probe cost and
// footprint) has its own header because it spans the others in time.
#pragma once

#include "fixture.h"
#include "report.h"

// Loading and converting a 640 x 480 picture, and one WM_PAINT, in-process.
void MeasurePicture(const Fixture &fixture, std::vector<Row> *rows);

// Start-up of start.exe against the empty dialog-template window.
void MeasureStartup(const Fixture &fixture, std::vector<Row> *rows);

// File size and imported DLLs of start.exe against the minimal window.
void MeasureSizes(const Fixture &fixture, std::vector<Row> *rows);

// start.exe alone for `seconds` with an installation present; prints a line
// a minute. Returns 0 when it kept running and answering.
int RunSoak(const Fixture &fixture, int seconds, std::vector<Row> *rows);
