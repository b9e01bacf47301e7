// Status texts, progress and messages of a transfer on the console.
#include "cli/console_view.h"

#include "cli/utf8.h"

ConsoleView::ConsoleView(std::ostream& err, bool terminal, bool quiet, int columns, StopQuery stopped)
    : m_err(err), m_quiet(quiet), m_meter(terminal, columns), m_stopped(stopped)
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

void ConsoleView::SetStatus(const std::u16string& text, StatusKind kind)
{
    m_label = ToUtf8(text);
    if (m_quiet || text.empty() || (kind == StatusKind::Failed && Stopped()))
        return;
    // A running phase's text labels its progress; an outcome stands on its own line.
    const bool running = kind == StatusKind::Running;
    if (running && m_meter.Running()) {
        m_meter.Relabel(m_label);
        return;
    }
    Emit(m_meter.Finish());
    if (!running)
        Emit(m_label + "\n");
}

void ConsoleView::SetProgressRange(std::uint16_t upper)
{
    m_upper = upper;
    m_newRange = true;
}

void ConsoleView::SetProgressStep(int step)
{
    m_step = step > 0 ? step : 1;
}

void ConsoleView::SetProgressPos(int pos)
{
    m_pos = pos;
    if (m_quiet)
        return;
    // Position 0 after a new range starts a phase; after a failure it ends the bar.
    if (pos == 0 && m_newRange)
        Emit(m_meter.Start(m_label, m_upper / m_step, NowMs()));
    else if (pos == 0)
        Emit(m_meter.Finish());
    m_newRange = false;
}

void ConsoleView::StepProgress()
{
    m_pos += m_step;
    if (!m_quiet)
        Emit(m_meter.Update(m_pos / m_step, NowMs()));
}

void ConsoleView::ShowFileError(const std::u16string& text)
{
    Emit(m_meter.Finish());
    Emit(ToUtf8(text) + "\n");
}

void ConsoleView::ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon)
{
    Emit(m_meter.Finish());
    if (m_onMessage)
        m_onMessage();
    if (Stopped())
        return;
    Emit(ToUtf8(caption) + ": " + ToUtf8(text) + "\n");
}
