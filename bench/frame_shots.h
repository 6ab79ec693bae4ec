// Screenshots of the drawable for before-and-after comparisons of drawing changes.
#pragma once

#include <string>

// Reads the back buffer (call after drawing, before the swap) and writes it as a binary
// PPM, top row first. False when the file could not be written.
bool SaveDrawable(const std::string& file);

// Compares every .ppm in `beforeDir` with the file of the same name in `afterDir`, prints
// one line per picture (pixels that differ, where, by how much) and, when `diffDir` is
// given, writes each differing picture there with the changed pixels in magenta.
// Returns the number of pictures that differ or could not be compared.
int CompareShots(const std::string& beforeDir, const std::string& afterDir,
                 const std::string& diffDir);
