// What a transfer tells its front end, in the exchange's own words: phases, records, failures and
// the outcome. The window turns these into its status line, progress bar and boxes; q4k prints them.
#pragma once

#include <cstddef>
#include <string>

enum class MessageIcon { None, Stop, Exclamation, Information };

// How a transfer ended: completely, through a failure, or because the user asked it to stop.
enum class TransferOutcome { Done, Failed, Interrupted };

class TransferView
{
  public:
    virtual ~TransferView() = default;

    // A phase of `records` records begins under its status text.
    virtual void PhaseBegun(const std::u16string& text, std::size_t records) = 0;
    // The running phase goes on under a new status text (the restore reaching the interface records).
    virtual void PhaseRelabelled(const std::u16string& text) = 0;
    // The record at `address` ("05", "BC") of the running phase went out: its request or its bytes.
    virtual void RecordUnderWay(const std::string& address) = 0;
    // The record at `address` failed; the user must see the message. Returns once it was seen.
    virtual void RecordFailed(const std::string& address, const std::u16string& text, const std::u16string& caption,
                              MessageIcon icon) = 0;
    // A backup's phase stopped at a failed record: the reading goes on with what follows the phase.
    virtual void PhaseCut() = 0;
    // The file could not be read or written; the text names it. Returns once it was seen.
    virtual void FileFailed(const std::u16string& text) = 0;
    // The transfer is over; the text is its final status (empty: none to show).
    virtual void TransferEnded(TransferOutcome outcome, const std::u16string& text) = 0;
};
