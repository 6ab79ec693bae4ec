// Runs up from core to the play screen.
#include <vector>

#include "Level.h"
