// Down to core and sideways on its own floor: both fine.
#include "Clock.h"
#include "Hud.h"
