// Sending the device commands.
#include "link/device_commands.h"

#include "link/link_io.h"

void SendEndCommand(ByteLink& link)
{
    WriteCommand(link, kEndCommand);
}
