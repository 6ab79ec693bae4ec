// Frame-rate controller: measures each frame and holds it to a minimum length.
#pragma once

void KEFrameRateControllerInit(unsigned int maxFrameRate);  // 0 = no cap
void KEFrameRateControllerReset();
void KEFrameRateControllerStart();
void KEFrameRateControllerEnd();  // waits for the minimum frame time, counts the frame
double KEFrameRateControllerGetFrameTime();  // seconds of the last frame, never clamped
double KEFrameRateControllerGetWorkTime();   // the same before waiting for the minimum
unsigned int KEFrameRateControllerGetFrameCount();
