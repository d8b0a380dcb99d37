// Bounded whole-file reads and durable whole-file writes.
#pragma once

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"

namespace corvaline {

// The most a read takes unless told otherwise: profiles, INI files, standard input.
inline constexpr std::size_t kReadCap = 16u << 20;

// Error codes of a read beside the system's own.
inline constexpr int kReadTooLarge = EFBIG;
inline constexpr int kReadNotAFile = EISDIR;  // a folder, FIFO or device

// The file's bytes, or why it cannot be read (ReadErrorText, with errno,
// kReadNotAFile or kReadTooLarge as its Code()). Only regular files are
// opened, so a FIFO never blocks the reader; nothing past `cap` bytes is read.
Result<std::string> ReadWholeFile(const std::filesystem::path& file, std::size_t cap = kReadCap);

// The same from a stream (standard input), refused past `cap`.
Result<std::string> ReadWholeStream(std::istream& in, std::size_t cap = kReadCap);

// A one-line reason for a read's or write's error code.
std::string ReadErrorText(int errorCode, std::size_t cap = kReadCap);

// Writes the bytes to a new temporary file of a unique name beside `file`
// (created exclusively, so two writers never share one), flushes it to the
// disk, renames it over `file` and flushes the folder: a crash, a power cut
// or a second writer never leaves a truncated file, either the old content
// or the new one is there. On failure (ReadErrorText of the system's error
// code, the code as Code()) the old file is untouched.
Outcome WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// The first half of WriteFileAtomically: the bytes written and flushed under
// a temporary name beside `file`, nothing replaced yet. Several files staged
// first and committed after fail, if at all, before any of them changed.
struct StagedFile {
  std::filesystem::path file, temporary;
};
Result<StagedFile> StageFile(const std::filesystem::path& file, std::string_view bytes);
// Renames the staged file over its target (on failure the temporary is gone
// and the target untouched).
Outcome CommitStaged(const StagedFile& staged);
void DiscardStaged(const StagedFile& staged);

// Deletes the temporaries of `files` that a killed writer left in `folder`.
// Only under the folder's lock, where no writer of them can be at work.
void RemoveStaleTemporaries(const std::filesystem::path& folder,
                            const std::vector<std::filesystem::path>& files);

// True for the temporary files WriteFileAtomically makes for `file`.
bool IsTemporaryFor(const std::filesystem::path& candidate, const std::filesystem::path& file);

}  // namespace corvaline
