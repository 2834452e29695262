#pragma once
// Thrown at a yield once the main window has been closed: it unwinds the running
// command (and any command it was started inside) so that the program can end at
// once while destructors still remove temporary files. Deliberately not a
// std::exception, so that error traps never report it.

struct WindowClosed {};
