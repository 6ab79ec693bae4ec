// The front end's screens become the ones the levels ask for: the loading screen that
// restart and quit-to-menu request, and the result screen of a win.
#pragma once

void ConnectFrontEnd();
