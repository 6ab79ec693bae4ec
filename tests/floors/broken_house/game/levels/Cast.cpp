// A bare name that two headers answer to.
#include "Tile.h"
