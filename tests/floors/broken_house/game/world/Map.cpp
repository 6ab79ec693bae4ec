// Down to core, fine; SDL outside the machine's floor, not.
#include <SDL.h>

#include "Clock.h"
