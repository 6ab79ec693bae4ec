// Finding the folder that holds Assets/ and the level files.
#pragma once

// Makes the data folder the working directory: the folder VANTREL_DATA_DIR names when it
// is set, else the installed data beside the executable (PREFIX/share/games/vantrel for
// PREFIX/games/vantrel), else the source tree's data/. The folder we started in counts
// only through VANTREL_DATA_DIR.
// Returns false, after one line saying what is missing, when the chosen folder or every
// one of the others lacks Assets/.
bool EnterDataDirectory();
