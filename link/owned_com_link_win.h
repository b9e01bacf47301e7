// A COM port opened by its name, as q4k.exe opens PORT: the byte link that owns its handle.
#pragma once

#include <memory>
#include <string>

#include "link/com_port_win.h"
#include "link/port_failure.h"

class OwnedComLink : public ComLink
{
  public:
    // "COM7" and "com7" name \\.\COM7; any other name (UTF-8) is taken as a device path as it
    // stands. Opens it exclusively with the line settings; nothing and why on failure.
    static std::unique_ptr<OwnedComLink> Open(const std::string& name, PortFailure& failure);
    ~OwnedComLink() override; // closes the port

    OwnedComLink(const OwnedComLink&) = delete;
    OwnedComLink& operator=(const OwnedComLink&) = delete;

  private:
    explicit OwnedComLink(HANDLE port) : ComLink(port), m_handle(port) {}

    HANDLE m_handle;
};
