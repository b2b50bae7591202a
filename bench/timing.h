// The bench's one clock: QueryPerformanceCounter in milliseconds.
#pragma once

double NowMs();

// Sleeps until NowMs() reaches `deadline_ms`; returns at once when it has.
void WaitUntilMs(double deadline_ms);
