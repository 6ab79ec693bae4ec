// What the level benches share: counting allocations, processor time, peak memory, sending
// every monster after the player, and running another program for its output.
#pragma once

#include <string>
#include <vector>

long Allocations();     // operator new calls so far in this process
double ProcessCpuMs();  // processor time of every thread so far
long PeakKb();          // peak resident memory of this process so far, -1 when unknown

// Every monster of the world list after the player, the way a sighting sends it: each
// plans its way to where the player stands.
void OrderChase();

// Full screen at the screen's size (or the 800 by 600 window), once the drawable has taken
// that size; false, after a line, when it never does.
bool SetFullScreen(bool on);

// Runs a program to its end, `preload` put into it, and returns what it printed on its
// standard output, or "" when it could not start.
std::string Output(const std::vector<std::string>& words, const std::string& preload = "");
