// Signals as events of a poll loop: the handlers only write the signal's number into a pipe,
// and the loop reads them from Fd() when poll says it is readable.
#pragma once

#include <initializer_list>
#include <vector>

class SignalPipe
{
  public:
    // Catches these signals for the life of the object; throws std::runtime_error.
    explicit SignalPipe(std::initializer_list<int> signals);
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    int Fd() const { return m_read; }
    // The signals caught since the last call, in order.
    std::vector<int> Take();

  private:
    int m_read = -1;
    int m_write = -1;
    std::vector<int> m_signals;
};
