// The control FIFO of the simulator program: tests and scripts write lines into it while the
// device runs ("fault ack-late=05:300", "dump", ...). It is opened non-blocking and opened again
// each time the last writer closes it, so any number of writers can come one after the other.
#pragma once

#include <string>
#include <vector>

class ControlFifo
{
  public:
    // Creates the FIFO at path, replacing any file there; throws std::runtime_error.
    explicit ControlFifo(std::string path);
    // Closes and removes the FIFO.
    ~ControlFifo();
    ControlFifo(const ControlFifo&) = delete;
    ControlFifo& operator=(const ControlFifo&) = delete;

    int Fd() const { return m_fd; }

    // The complete lines that have arrived, without their line ends; a last line that its
    // writer closed without a line end counts as complete.
    std::vector<std::string> ReadLines();

  private:
    void Open();

    std::string m_path;
    int m_fd = -1;
    std::string m_partial;
};
