// Status texts, progress and messages of a transfer on the console.
#include "cli/console_view.h"

#include "cli/utf8.h"

ConsoleView::ConsoleView(std::ostream& err, bool terminal, bool quiet, int columns)
    : m_err(err), m_quiet(quiet), m_meter(terminal, columns)
{
}

ConsoleView::~ConsoleView()
{
    Emit(m_meter.Finish());
}

std::uint64_t ConsoleView::NowMs() const
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start).count());
}

void ConsoleView::Emit(const std::string& text)
{
    if (text.empty())
        return;
    m_err << text;
    m_err.flush();
}

void ConsoleView::PhaseBegun(const std::u16string& text, std::size_t records)
{
    m_done = 0;
    if (!m_quiet)
        Emit(m_meter.Start(ToUtf8(text), static_cast<int>(records), NowMs()));
}

void ConsoleView::PhaseRelabelled(const std::u16string& text)
{
    m_meter.Relabel(ToUtf8(text));
}

void ConsoleView::RecordUnderWay(const std::string&)
{
    ++m_done;
    Emit(m_meter.Update(m_done, NowMs()));
}

void ConsoleView::RecordFailed(const std::string& address, const std::u16string& text, const std::u16string& caption,
                               MessageIcon)
{
    Emit(m_meter.Finish());
    if (m_failedRecord.empty())
        m_failedRecord = address;
    Emit(ToUtf8(caption) + ": " + ToUtf8(text) + "\n");
}

void ConsoleView::PhaseCut()
{
    Emit(m_meter.Finish());
}

void ConsoleView::FileFailed(const std::u16string& text)
{
    Emit(m_meter.Finish());
    Emit(ToUtf8(text) + "\n");
}

void ConsoleView::TransferEnded(TransferOutcome outcome, const std::u16string& text)
{
    Emit(m_meter.Finish());
    // A stop says all: "abgebrochen" follows.
    if (outcome == TransferOutcome::Interrupted)
        m_failedRecord.clear();
    if (!m_quiet && !text.empty() && outcome != TransferOutcome::Interrupted)
        Emit(ToUtf8(text) + "\n");
}

void ConsoleView::NameFailedRecord(const char* what)
{
    if (!m_failedRecord.empty())
        Emit("Datensatz " + m_failedRecord + " " + what + "\n");
}
