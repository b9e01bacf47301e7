// A phase is a fresh bar that each record moves one step; a cut phase empties it.
#include "app/transfer_display.h"

namespace
{
// Each record moves the bar this far.
constexpr int kProgressStep = 3;
} // namespace

void TransferDisplay::PhaseBegun(const std::u16string& text, std::size_t records)
{
    m_controls.SetStatus(text);
    m_controls.SetProgressRange(static_cast<std::uint16_t>(records * kProgressStep));
    m_controls.SetProgressStep(kProgressStep);
    m_controls.SetProgressPos(0);
}

void TransferDisplay::PhaseRelabelled(const std::u16string& text)
{
    m_controls.SetStatus(text);
}

void TransferDisplay::RecordUnderWay(const std::string&)
{
    m_controls.StepProgress();
}

void TransferDisplay::RecordFailed(const std::string&, const std::u16string& text, const std::u16string& caption,
                                   MessageIcon icon)
{
    m_controls.ShowMessage(text, caption, icon);
}

void TransferDisplay::PhaseCut()
{
    m_controls.SetProgressPos(0);
}

void TransferDisplay::FileFailed(const std::u16string& text)
{
    m_controls.ShowFileError(text);
}

// The window has no stop of its own, so every outcome just shows its text.
void TransferDisplay::TransferEnded(TransferOutcome, const std::u16string& text)
{
    m_controls.SetStatus(text);
}
