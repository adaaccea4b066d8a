#pragma once
// The baud rate a pseudo-terminal's line is set to. The program sets its serial settings on
// the slave side; the master side reads the same terminal settings.

namespace mt52::sim {

// The output rate of the terminal behind `fd` in bits per second; 0 when it cannot be read or
// is no rate (the hang-up rate 0).
int LineBaudRate(int fd);

}  // namespace mt52::sim
