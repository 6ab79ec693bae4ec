// Finding the folder that holds Assets/ and the level files.
#pragma once

// Makes the data folder the working directory: the current one when it holds Assets/,
// else the installed share folder next to the executable, else the source tree's data/.
// Returns false, after one line saying what is missing, when none has it.
bool EnterDataDirectory();
