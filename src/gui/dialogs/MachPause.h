#pragma once

// A pause that keeps the windows responsive: waits the given time while handling events,
// as the program's short pauses after a question or before a redraw do.
void machPause(int milliseconds);
