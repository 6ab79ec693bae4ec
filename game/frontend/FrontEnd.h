// The front end's screens become the ones the levels ask for: the loading screen that
// restart and quit-to-menu request, the result screen of a win, and YOUR LEVELS when the
// player leaves the level editor.
#pragma once

void ConnectFrontEnd();
