// A folder the floors do not list.
#include "Clock.h"
