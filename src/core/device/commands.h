// The operations of the mouse's command set. Each moves one of the device
// records of the link; none reports errors (failures count in
// DeviceLink::failedTransfers). A failed read, or an answer beyond the limits
// of its record, changes no record.
#pragma once

#include <cstdint>

#include "core/device/device_link.h"

namespace corvaline {

void WriteReportRate(DeviceLink& link, std::uint8_t reportRateCode);  // 0x01
bool ReadSensorInfo(DeviceLink& link);                                // 0x83; false: no answer
void WriteSensorInfo(DeviceLink& link);                               // 0x03
void ReadLedTiming(DeviceLink& link);                                 // 0x87, index 0 and 1
void WriteLedTiming(DeviceLink& link);                                // 0x07, index 0 and 1
void ReadEffect(DeviceLink& link);                                    // 0x8D
void WriteEffect(DeviceLink& link);                                   // 0x0D
void TransferColourTables(DeviceLink& link, bool write);              // 0x10 / 0x90, table 0 and 1
void WriteDpiStages(DeviceLink& link);                                // 0x11
void WriteKeyMatrixTables(DeviceLink& link);                          // 0x12, matrix 1..4
void TransferMacros(DeviceLink& link, bool write);                    // 0x13 / 0x93, macro 1..12

// After a plug-in and on the first showing of the Basic page: reads the
// sensor information, takes its sensor type, sets bit 6 of Option2 and writes
// it back.
void RefreshSensorInfo(DeviceLink& link);

}  // namespace corvaline
