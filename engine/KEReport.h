// Problems and refusals for the player, a terminal or a packager's log: each is one line on
// standard error, written whole at once, so that two threads' lines never mix.
#pragma once

// printf's format; the line end is added.
void KEReport(const char* format, ...) __attribute__((format(printf, 1, 2)));
