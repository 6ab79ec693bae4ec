// Generated maps for measuring how the world's cost grows: a square of `side` cells with a
// wall round it and 6 % walls scattered inside, the player in the middle and `monsters` of
// every kind in turn, each patrolling two points within 6 cells of its start, all out of
// the standing player's sight. Written as a sandbox map file: grid, then cast lines.
#pragma once

#include <string>

// The same side and count always give the same map. False when the file cannot be written.
bool WriteScaleMap(const std::string& file, int side, int monsters);
