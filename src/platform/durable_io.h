// The system's durable-save and lock calls for the core (see
// core/settings/durable_io.h). Every program calls InstallSystemDurableIo()
// before it reads or writes its data files.
#pragma once

#include "core/settings/durable_io.h"

namespace corvaline::platform {

const DurableIo& SystemDurableIo();

inline void InstallSystemDurableIo() { InstallDurableIo(&SystemDurableIo()); }

}  // namespace corvaline::platform
