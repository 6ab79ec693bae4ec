// The machine's floor may talk to SDL.
#include <SDL.h>
