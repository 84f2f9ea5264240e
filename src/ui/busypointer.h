#pragma once

// While the store waits for a database another program holds, the pointer
// shows that the program is busy; it comes back once the wait is over and
// the program runs its events again.
void InstallBusyPointer();
