// Moving CommandBlocks and data to and from the mouse's feature collection.
// Nothing here reports an error to the user: a failed transfer counts in
// DeviceLink::failedTransfers and leaves zeroed data behind.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/device/device_link.h"
#include "core/device/protocol.h"

namespace corvaline {

// Lower-case hex, no separators (the trace's byte format).
std::string HexBytes(std::span<const std::uint8_t> bytes);

// Fills in the checksum and writes the block in one feature report, scrambled
// when scramblingOn is set. Returns false when the write failed.
bool WriteCommandBlock(DeviceLink& link, CommandBlock& block);
// Reads one feature report into block (unscrambled when scramblingOn is set).
// A failed read gives the zeroed frame's block. Returns false on failure.
bool ReadCommandBlock(DeviceLink& link, CommandBlock& block);

// One block out and, for a request (bit 7 of byte 0), the answer back in its
// place. Returns false when any part failed.
bool ShortTransfer(DeviceLink& link, CommandBlock& block);

// Largest data a bulk transfer carries.
using BulkData = std::array<std::uint8_t, kBulkDataMax>;

// A header exchanged as in ShortTransfer, then ceil(L / 32) data reports, L
// being byte 2 of the header (the caller's for a write, the mouse's answer for
// a read). A write sends 32 bytes per report from data (zero beyond L) with a
// pause after each. A read fills data; an answer announcing more than 128
// bytes still has its reports read (so the next answer is not mistaken for
// them) but only the first 128 bytes are kept, and it counts as failed.
// Returns false when any part failed or the answer was too long.
bool BulkTransfer(DeviceLink& link, CommandBlock& header, BulkData& data);

}  // namespace corvaline
