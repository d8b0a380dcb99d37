#include "core/device/commands.h"

#include <algorithm>
#include <cstring>

#include "core/device/talk_lock.h"
#include "core/device/transfer.h"

namespace corvaline {

namespace {

// An answer that cannot be taken into its record counts as a failed transfer.
void Unusable(DeviceLink& link) { ++link.failedTransfers; }

}  // namespace

void WriteReportRate(DeviceLink& link, std::uint8_t reportRateCode) {
  CommandBlock block = MakeCommand(cmd::kSetReportRate, reportRateCode);
  ShortTransfer(link, block);
}

bool ReadSensorInfo(DeviceLink& link) {
  CommandBlock block = MakeCommand(cmd::kGetSensorInfo);
  if (!ShortTransfer(link, block)) return false;
  link.records.sensorInfo = SensorInfo{block[1], block[2], block[3], block[4]};
  return true;
}

void WriteSensorInfo(DeviceLink& link) {
  const SensorInfo& s = link.records.sensorInfo;
  CommandBlock block = MakeCommand(cmd::kSetSensorInfo, s.sensorType, s.rate, s.option1, s.option2);
  ShortTransfer(link, block);
}

void ReadLedTiming(DeviceLink& link) {
  for (std::uint8_t index = 0; index < 2; ++index) {
    CommandBlock block = MakeCommand(cmd::kGetLedTiming, index);
    // The answer names the record it carries; any other index is ignored.
    if (!ShortTransfer(link, block)) {
      // a failed read leaves the record as it was
    } else if (block[1] < 2)
      link.records.ledTiming[block[1]] = LedTimingRecord{block[2], block[3], block[4]};
    else
      Unusable(link);
    Pause(link, kRequestPauseMs);
  }
}

void WriteLedTiming(DeviceLink& link) {
  for (std::uint8_t index = 0; index < 2; ++index) {
    const LedTimingRecord& r = link.records.ledTiming[index];
    CommandBlock block = MakeCommand(cmd::kSetLedTiming, index, r.mode, r.parameter1, r.parameter2);
    ShortTransfer(link, block);
    Pause(link, kRequestPauseMs);
  }
}

void ReadEffect(DeviceLink& link) {
  CommandBlock block = MakeCommand(cmd::kGetEffect);
  if (ShortTransfer(link, block)) link.records.effect = EffectRecord{block[1], block[2], block[3]};
}

void WriteEffect(DeviceLink& link) {
  const EffectRecord& e = link.records.effect;
  CommandBlock block = MakeCommand(cmd::kSetEffect, e.effect, e.option1, e.option2);
  ShortTransfer(link, block);
}

void TransferColourTables(DeviceLink& link, bool write) {
  for (std::uint8_t table = 0; table < 2; ++table) {
    BulkData data{};
    if (write) {
      std::copy(link.records.colourTables[table].begin(), link.records.colourTables[table].end(),
                data.begin());
      CommandBlock header = MakeCommand(cmd::kSetColourTable, table, kColourTableSize);
      BulkTransfer(link, header, data);
    } else {
      CommandBlock header = MakeCommand(cmd::kGetColourTable, table, 0);
      const bool ok = BulkTransfer(link, header, data);
      const std::uint8_t named = header[kBulkIndexByte];
      const std::size_t length = header[kBulkLengthByte];
      if (!ok) {
        // a failed read leaves the tables as they were
      } else if (named < 2 && length <= kColourTableSize)
        std::copy_n(data.begin(), length, link.records.colourTables[named].begin());
      else
        Unusable(link);
    }
    Pause(link, kRequestPauseMs);
  }
}

void WriteDpiStages(DeviceLink& link) {
  BulkData data{};
  std::copy(link.records.dpiTable.begin(), link.records.dpiTable.end(), data.begin());
  CommandBlock header = MakeCommand(cmd::kSetDpiStages, kDpiStageCount, kDpiTableSize);
  BulkTransfer(link, header, data);
}

void WriteKeyMatrixTables(DeviceLink& link) {
  for (std::uint8_t matrix = 1; matrix <= kKeyMatrixCount; ++matrix) {
    BulkData data{};
    std::memcpy(data.data(), link.records.keyMatrix[matrix - 1], kKeyMatrixBytes);
    CommandBlock header = MakeCommand(cmd::kSetKeyMatrix, matrix, kKeyMatrixBytes);
    BulkTransfer(link, header, data);
    Pause(link, kRequestPauseMs);
  }
}

void TransferMacros(DeviceLink& link, bool write) {
  for (std::uint8_t macro = 1; macro <= kMacroCount; ++macro) {
    BulkData data{};
    if (write) {
      std::memcpy(data.data(), link.records.macroStaging.blocks[macro - 1], kMacroSize);
      CommandBlock header = MakeCommand(cmd::kSetMacro, macro, kMacroSize);
      BulkTransfer(link, header, data);
    } else {
      CommandBlock header = MakeCommand(cmd::kGetMacro, macro, 0);
      const bool ok = BulkTransfer(link, header, data);
      const std::uint8_t named = header[kBulkIndexByte];
      const std::size_t length = header[kBulkLengthByte];
      if (!ok) {
        // a failed read leaves the staging area as it was
      } else if (named >= 1 && named <= kMacroCount && length <= kMacroSize)
        std::memcpy(link.records.macroStaging.blocks[named - 1], data.data(), length);
      else
        Unusable(link);
    }
    Pause(link, kRequestPauseMs);
  }
}

void RefreshSensorInfo(DeviceLink& link) {
  // A read and its write-back are one exchange; while another program talks
  // the old sensor information stays.
  const auto hold = HoldTalk(link);
  if (!hold) return;
  // Without an answer there is nothing sound to write back.
  if (!ReadSensorInfo(link)) return;
  link.sensorType = link.records.sensorInfo.sensorType;
  link.records.sensorInfo.option2 |= kSensorOption2HostBit;
  WriteSensorInfo(link);
}

}  // namespace corvaline
