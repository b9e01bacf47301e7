// Marks the spare data bytes of main records with "XX", following the blocks' markers.
#pragma once

#include <cstdint>
#include <string>

class SpareByteMarker
{
  public:
    // Records still kept whole, the current one included.
    std::uint8_t m_nKeepWhole = 0;
    // Meaningful data bytes the running block still has, counted from data byte 0 of the
    // record in hand; 0 when no block runs.
    std::uint8_t m_nPending = 0;

    // With both counters at 0 the next main record heads a new block.
    bool AwaitsBlockHead() const { return m_nKeepWhole == 0 && m_nPending == 0; }

    // Reads the block marker in data byte 0, sets the counters from it and overwrites it
    // with "XX". Returns true when the record is to be left out of the file (marker "FF").
    // A record too short to hold the whole marker is not examined.
    bool ExamineBlockHead(std::string& record);

    // Replaces the spare data bytes of this record by "XX" and advances the counters.
    // Only bytes the record holds are touched.
    void MarkSpare(std::string& record);
};
