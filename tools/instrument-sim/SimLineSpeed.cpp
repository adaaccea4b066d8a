#include "SimLineSpeed.h"

// The kernel's own terminal settings carry the rate as a number, also for rates without a
// B-constant; they cannot be included beside <termios.h>, so this file uses them alone.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace mt52::sim {

int LineBaudRate(int fd) {
    termios2 settings{};
    if (fd < 0 || ::ioctl(fd, TCGETS2, &settings) != 0)
        return 0;
    return static_cast<int>(settings.c_ospeed);
}

}  // namespace mt52::sim
