// Opening the pseudo-terminal pair in raw mode.
#include "sim/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace
{

[[noreturn]] void Fail(const char* step)
{
    throw std::runtime_error(std::string("pseudo-terminal: ") + step + ": " + std::strerror(errno));
}

} // namespace

PseudoTerminal::PseudoTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        Fail("posix_openpt");
    try {
        if (grantpt(m_master) != 0)
            Fail("grantpt");
        if (unlockpt(m_master) != 0)
            Fail("unlockpt");
        const char* name = ptsname(m_master);
        if (!name)
            Fail("ptsname");
        m_slavePath = name;
        m_slave = open(name, O_RDWR | O_NOCTTY);
        if (m_slave < 0)
            Fail("open slave");
        // No echo, no line editing, no CR/NL translation: the line carries bytes as they are.
        termios tio{};
        if (tcgetattr(m_slave, &tio) != 0)
            Fail("tcgetattr");
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        if (tcsetattr(m_slave, TCSANOW, &tio) != 0)
            Fail("tcsetattr");
    } catch (...) {
        if (m_slave >= 0)
            close(m_slave);
        close(m_master);
        throw;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    close(m_slave);
    close(m_master);
}
