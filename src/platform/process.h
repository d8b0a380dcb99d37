// The running program as the system describes it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corvaline::platform {

// The program's own file.
std::filesystem::path ExecutablePath();

// The command line in UTF-8, program name first. On Windows argv holds the
// ANSI code page's rendering, so the wide command line is read instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A console shows the program's UTF-8 output as UTF-8 (Windows consoles
// otherwise take it in the OEM code page).
void UseUtf8Console();

// Waits until `handle` (a descriptor from HidBackend::NotificationHandle, or
// -1) has something to read, or `timeoutMs` passes.
void WaitForNotification(int handle, int timeoutMs);

}  // namespace corvaline::platform
