// The backup exchange: requests, replies turned into records, marking, and every failure report.
#include "transfer/backup_exchange.h"

#include <cstdint>
#include <string>

#include "link/link_io.h"
#include "transfer/config_record.h"
#include "transfer/hex_codec.h"
#include "transfer/spare_byte_marker.h"
#include "transfer/transfer_texts.h"

namespace
{

constexpr int kFirstMainAddress = 0x01;
constexpr int kLastMainAddress = 0x7F;
constexpr int kFirstInterfaceAddress = 0x80;
constexpr int kLastInterfaceAddress = 0x9F;
constexpr int kProgressStep = 3;
constexpr std::uint16_t kMainProgressRange = (kLastMainAddress - kFirstMainAddress + 1) * kProgressStep;
constexpr std::uint16_t kInterfaceProgressRange = (kLastInterfaceAddress - kFirstInterfaceAddress + 1) * kProgressStep;
// The terminator search starts behind the tag and the first data bytes, so a CR
// that stands for data cannot end a record early.
constexpr std::size_t kTerminatorSearchFrom = 10;

char AddressDigit(int nibble)
{
    return nibble == 0 ? '0' : static_cast<char>(HexDigitChar(nibble));
}

std::string ReadRequest(char high, char low)
{
    return std::string{'$', 'R', high, low, '\x01'};
}

std::string ReadRequest(int address)
{
    return ReadRequest(AddressDigit(address >> 4), AddressDigit(address & 0x0F));
}

// Drops what came before "$R" and turns the "R" into "P"; false when there is no "$R".
bool TurnReplyIntoRecord(std::string& reply)
{
    const std::size_t start = reply.find("$R");
    if (start == std::string::npos)
        return false;
    reply.erase(0, start);
    reply[1] = 'P';
    return true;
}

// The record as it goes to the file: its first 133 bytes, or, when it is shorter, the bytes
// before its terminator filled up with "X" (spare, so a restore leaves those bytes alone).
std::string FramedRecord(std::string record, std::size_t terminatorPos)
{
    if (record.size() >= CONFIG_RECORD_LEN) {
        record.resize(CONFIG_RECORD_LEN);
        return record;
    }
    if (terminatorPos != std::string::npos)
        record.resize(terminatorPos);
    record.resize(kRecordTerminatorPos, 'X');
    record.push_back(kRecordTerminator);
    return record;
}

class Backup
{
  public:
    Backup(ByteLink& link, TransferView& view, RecordSink& file) : m_link(link), m_view(view), m_file(file) {}

    bool Run()
    {
        m_view.SetStatus(kBackupRunningText);
        m_view.SetProgressRange(kMainProgressRange);
        m_view.SetProgressStep(kProgressStep);
        m_view.SetProgressPos(0);
        Drain(m_link);
        ReadMainRecords();
        if (!m_fileFailed && ReadBcRecord())
            ReadInterfaceRecords();
        m_view.SetStatus(m_error ? kBackupFailedText : kBackupDoneText);
        return !m_error;
    }

  private:
    struct Framing {
        std::size_t terminatorPos;
        bool faulty;
    };

    void ReadMainRecords()
    {
        for (int address = kFirstMainAddress; address <= kLastMainAddress; ++address) {
            WriteCommand(m_link, ReadRequest(address));
            m_view.StepProgress();
            std::string record = ReadUntilSilent(m_link);
            if (!TurnReplyIntoRecord(record)) {
                FailPhase(u"Fehler 03");
                return;
            }
            bool omit = false;
            if (m_marker.AwaitsBlockHead())
                omit = m_marker.ExamineBlockHead(record);
            const Framing framing = CheckFraming(record, u"Fehler 01", u"Fehler 02");
            m_marker.MarkSpare(record);
            if (!omit && !Store(FramedRecord(record, framing.terminatorPos)))
                return;
            if (framing.faulty) {
                m_view.SetProgressPos(0);
                return;
            }
        }
    }

    // Returns true when the interface records are to be read next.
    bool ReadBcRecord()
    {
        WriteCommand(m_link, ReadRequest('B', 'C'));
        std::string record = ReadUntilSilent(m_link);
        if (!TurnReplyIntoRecord(record)) {
            Report(u"Fehler 03");
            m_error = true;
            return false;
        }
        const Framing framing = CheckFraming(record, u"Fehler 11", u"Fehler 12");
        record = FramedRecord(record, framing.terminatorPos);
        // A device without a "$PBC" configuration reads "FF" there; the file then has none.
        if (record[kRecordDataPos] == 'F' && record[kRecordDataPos + 1] == 'F')
            return false;
        return Store(record) && AnnouncesInterfaceRecords(record);
    }

    void ReadInterfaceRecords()
    {
        m_view.SetStatus(kBackupInterfaceText);
        m_view.SetProgressRange(kInterfaceProgressRange);
        m_view.SetProgressStep(kProgressStep);
        m_view.SetProgressPos(0);
        for (int address = kFirstInterfaceAddress; address <= kLastInterfaceAddress; ++address) {
            WriteCommand(m_link, ReadRequest(address));
            m_view.StepProgress();
            std::string record = ReadUntilSilent(m_link);
            if (!TurnReplyIntoRecord(record)) {
                FailPhase(u"Fehler 23");
                return;
            }
            const Framing framing = CheckFraming(record, u"Fehler 21", u"Fehler 22");
            if (!Store(FramedRecord(record, framing.terminatorPos)))
                return;
            if (framing.faulty) {
                m_view.SetProgressPos(0);
                return;
            }
        }
    }

    // Turns the first CR at or after position 10 into the terminator; reports a missing
    // terminator and a wrong length under the captions given. Either counts as a failed backup.
    Framing CheckFraming(std::string& record, const char16_t* noTerminatorCaption, const char16_t* wrongLengthCaption)
    {
        Framing framing{std::string::npos, false};
        framing.terminatorPos = record.find('\r', kTerminatorSearchFrom);
        if (framing.terminatorPos != std::string::npos) {
            record[framing.terminatorPos] = kRecordTerminator;
        } else {
            Report(noTerminatorCaption);
            framing.faulty = true;
        }
        if (record.size() != CONFIG_RECORD_LEN) {
            Report(wrongLengthCaption);
            framing.faulty = true;
        }
        m_error = m_error || framing.faulty;
        return framing;
    }

    bool Store(const std::string& record)
    {
        if (m_file.Write(record))
            return true;
        m_view.ShowMessage(m_file.ErrorText(), kFileErrorCaption, MessageIcon::Exclamation);
        m_fileFailed = true;
        m_error = true;
        return false;
    }

    // A reply without "$R": nothing is written for it and the phase ends.
    void FailPhase(const char16_t* caption)
    {
        Report(caption);
        m_error = true;
        m_view.SetProgressPos(0);
    }

    void Report(const char16_t* caption) { m_view.ShowMessage(kBackupErrorBoxText, caption, MessageIcon::Stop); }

    ByteLink& m_link;
    TransferView& m_view;
    RecordSink& m_file;
    SpareByteMarker m_marker;
    bool m_error = false;
    bool m_fileFailed = false;
};

} // namespace

bool RunBackup(ByteLink& link, TransferView& view, RecordSink& file)
{
    return Backup(link, view, file).Run();
}
