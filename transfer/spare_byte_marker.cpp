// The block marker rules: "FF" leaves a record out, "Fn" keeps n records whole, else a length.
#include "transfer/spare_byte_marker.h"

#include "transfer/config_record.h"
#include "transfer/hex_codec.h"

namespace
{

char16_t At(const std::string& record, std::size_t pos)
{
    return static_cast<char16_t>(static_cast<unsigned char>(record[pos]));
}

void MarkDataByte(std::string& record, std::size_t k)
{
    for (std::size_t pos = kRecordDataPos + 2 * k; pos < kRecordDataPos + 2 * k + 2; ++pos) {
        if (pos < record.size())
            record[pos] = 'X';
    }
}

} // namespace

bool SpareByteMarker::ExamineBlockHead(std::string& record)
{
    if (record.size() < kRecordDataPos + 2)
        return false;
    const char16_t high = At(record, kRecordDataPos);
    const char16_t low = At(record, kRecordDataPos + 1);
    bool omit = false;
    if (high == u'F' && low == u'F') {
        // Used up by MarkSpare of this same record, so nothing carries over.
        m_nKeepWhole = 1;
        omit = true;
    } else if (high == u'F') {
        m_nKeepWhole = static_cast<std::uint8_t>(HexDigitValue(low));
    } else {
        m_nPending = static_cast<std::uint8_t>(16 * HexDigitValue(high) + HexDigitValue(low));
    }
    MarkDataByte(record, 0);
    return omit;
}

void SpareByteMarker::MarkSpare(std::string& record)
{
    if (m_nKeepWhole > 0) {
        --m_nKeepWhole;
        return;
    }
    if (m_nPending > kDataBytesPerRecord) {
        m_nPending = static_cast<std::uint8_t>(m_nPending - kDataBytesPerRecord);
        return;
    }
    for (std::size_t k = m_nPending; k < kDataBytesPerRecord; ++k)
        MarkDataByte(record, k);
    m_nPending = 0;
}
