// The backup exchange: requests, replies turned into records, marking, and every failure report.
#include "transfer/backup_exchange.h"

#include <string>

#include "link/link_io.h"
#include "transfer/config_record.h"
#include "transfer/hex_codec.h"
#include "transfer/spare_byte_marker.h"
#include "transfer/transfer_texts.h"

namespace
{

// The terminator search starts behind the tag and the first data bytes, so a CR
// that stands for data cannot end a record early.
constexpr std::size_t kTerminatorSearchFrom = 10;

// One run of read requests over an address range, with the captions of its failure boxes.
struct ReadPhase {
    int first;
    int last;
    bool mainRecords;             // spare bytes are marked and a device's empty blocks are left out
    const char16_t* noTerminator; // the reply has no CR
    const char16_t* unsound;      // wrong length, or a record the restore would refuse
    const char16_t* noReply;      // no "$R" came back

    constexpr std::size_t Records() const { return static_cast<std::size_t>(last - first + 1); }
};

constexpr ReadPhase kMainPhase{0x01, 0x7F, true, u"Fehler 01", u"Fehler 02", u"Fehler 03"};
constexpr ReadPhase kInterfacePhase{0x80, 0x9F, false, u"Fehler 21", u"Fehler 22", u"Fehler 23"};

std::string ReadRequest(char high, char low)
{
    return std::string{'$', 'R', high, low, '\x01'};
}

// The reply a whole record comes in: "$R", the address, 128 characters and a CR.
ReplyShape RecordReply(char high, char low)
{
    return {std::string{'$', 'R', high, low}, CONFIG_RECORD_LEN};
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
    Backup(ByteLink& link, TransferView& view, RecordSink& file, const ReadingTexts& texts, ReplyReading reading)
        : m_link(link), m_view(view), m_file(file), m_texts(texts), m_reading(reading)
    {
    }

    bool Run()
    {
        m_view.PhaseBegun(m_texts.running, kMainPhase.Records());
        Drain(m_link);
        ReadRecords(kMainPhase);
        if (!m_fileFailed && ReadBcRecord()) {
            m_view.PhaseBegun(m_texts.interface, kInterfacePhase.Records());
            ReadRecords(kInterfacePhase);
        }
        // The file is called saved only once it is complete where the user expects it.
        if (!m_error && !m_file.Commit())
            FileFailed();
        if (m_error)
            m_view.TransferEnded(m_link.Stopped() ? TransferOutcome::Interrupted : TransferOutcome::Failed,
                                 m_texts.failed);
        else
            m_view.TransferEnded(TransferOutcome::Done, m_texts.done);
        return !m_error;
    }

  private:
    void ReadRecords(const ReadPhase& phase)
    {
        for (int address = phase.first; address <= phase.last; ++address) {
            const char high = NibbleChar(address >> 4);
            const char low = NibbleChar(address & 0x0F);
            m_address = {high, low};
            DrainLateBytes(m_link, m_reading);
            WriteCommand(m_link, ReadRequest(high, low));
            m_view.RecordUnderWay(m_address);
            std::string record = ReadReply(m_link, m_reading, RecordReply(high, low));
            if (!TurnReplyIntoRecord(record)) {
                FailPhase(phase.noReply);
                return;
            }
            bool omit = false;
            if (phase.mainRecords && m_marker.AwaitsBlockHead())
                omit = m_marker.ExamineBlockHead(record);
            const std::size_t terminatorPos = TurnTerminator(record, phase.noTerminator);
            if (phase.mainRecords)
                m_marker.MarkSpare(record);
            const std::string framed = FramedRecord(record, terminatorPos);
            const bool sound = CheckRecord(record.size(), framed, !omit, phase.unsound);
            if (!omit && !Store(framed))
                return;
            if (!sound || terminatorPos == std::string::npos) {
                m_view.PhaseCut();
                return;
            }
        }
    }

    // Returns true when the interface records are to be read next.
    bool ReadBcRecord()
    {
        m_address = "BC";
        DrainLateBytes(m_link, m_reading);
        WriteCommand(m_link, ReadRequest('B', 'C'));
        std::string record = ReadReply(m_link, m_reading, RecordReply('B', 'C'));
        if (!TurnReplyIntoRecord(record)) {
            Report(u"Fehler 03");
            m_error = true;
            return false;
        }
        const std::string framed = FramedRecord(record, TurnTerminator(record, u"Fehler 11"));
        // A device without a "$PBC" configuration reads "FF" there; the file then has none.
        const bool omit = framed[kRecordDataPos] == 'F' && framed[kRecordDataPos + 1] == 'F';
        CheckRecord(record.size(), framed, !omit, u"Fehler 12");
        return !omit && Store(framed) && AnnouncesInterfaceRecords(framed);
    }

    // Turns the first CR at or after position 10 into the terminator and returns where it stands;
    // a missing terminator is reported under the caption given and counts as a failed backup.
    std::size_t TurnTerminator(std::string& record, const char16_t* caption)
    {
        const std::size_t pos = record.find('\r', kTerminatorSearchFrom);
        if (pos != std::string::npos) {
            record[pos] = kRecordTerminator;
        } else {
            Report(caption);
            m_error = true;
        }
        return pos;
    }

    // A reply of the wrong length, or a record going to the file that the restore would refuse
    // (stray bytes after an early CR, a CR among the data, ...), is reported under the caption
    // given and counts as a failed backup: the file must never be called saved with such a record.
    bool CheckRecord(std::size_t replyLength, const std::string& framed, bool written, const char16_t* caption)
    {
        const bool sound = replyLength == CONFIG_RECORD_LEN && (!written || IsConfigurationRecord(framed));
        if (!sound) {
            Report(caption);
            m_error = true;
        }
        return sound;
    }

    bool Store(const std::string& record)
    {
        if (m_file.Write(record))
            return true;
        FileFailed();
        return false;
    }

    void FileFailed()
    {
        m_view.FileFailed(m_file.ErrorText());
        m_fileFailed = true;
        m_error = true;
    }

    // A reply without "$R": nothing is written for it and the phase ends.
    void FailPhase(const char16_t* caption)
    {
        Report(caption);
        m_error = true;
        m_view.PhaseCut();
    }

    // A stop by the user is no fault of the record under way.
    void Report(const char16_t* caption)
    {
        if (!m_link.Stopped())
            m_view.RecordFailed(m_address, kBackupErrorBoxText, caption, MessageIcon::Stop);
    }

    ByteLink& m_link;
    TransferView& m_view;
    RecordSink& m_file;
    const ReadingTexts& m_texts;
    ReplyReading m_reading;
    SpareByteMarker m_marker;
    std::string m_address; // of the record requested last
    bool m_error = false;
    bool m_fileFailed = false;
};

} // namespace

bool RunBackup(ByteLink& link, TransferView& view, RecordSink& file, const ReadingTexts& texts, ReplyReading reading)
{
    return Backup(link, view, file, texts, reading).Run();
}
