// Bounded whole-file reads and durable whole-file writes.
#pragma once

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvaline {

// The most a read takes unless told otherwise: profiles, INI files, standard input.
inline constexpr std::size_t kReadCap = 16u << 20;

// Error codes of a read beside the system's own.
inline constexpr int kReadTooLarge = EFBIG;
inline constexpr int kReadNotAFile = EISDIR;  // a folder, FIFO or device

// The file's bytes, or nullopt when it cannot be read (errorCode gets errno,
// kReadNotAFile or kReadTooLarge). Only regular files are opened, so a FIFO
// never blocks the reader; nothing past `cap` bytes is read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, int* errorCode = nullptr,
                                         std::size_t cap = kReadCap);

// The same from a stream (standard input), refused past `cap`.
std::optional<std::string> ReadWholeStream(std::istream& in, int* errorCode = nullptr,
                                           std::size_t cap = kReadCap);

// A one-line reason for a read's or write's error code.
std::string ReadErrorText(int errorCode, std::size_t cap = kReadCap);

// Writes the bytes to a new temporary file of a unique name beside `file`
// (created exclusively, so two writers never share one), flushes it to the
// disk, renames it over `file` and flushes the folder: a crash, a power cut
// or a second writer never leaves a truncated file, either the old content
// or the new one is there. Returns false (and the system's error code in
// *errorCode) when anything fails; the old file is then untouched.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         int* errorCode = nullptr);

// The first half of WriteFileAtomically: the bytes written and flushed under
// a temporary name beside `file`, nothing replaced yet. Several files staged
// first and committed after fail, if at all, before any of them changed.
struct StagedFile {
  std::filesystem::path file, temporary;
};
std::optional<StagedFile> StageFile(const std::filesystem::path& file, std::string_view bytes,
                                    int* errorCode = nullptr);
// Renames the staged file over its target (on failure the temporary is gone
// and the target untouched).
bool CommitStaged(const StagedFile& staged, int* errorCode = nullptr);
void DiscardStaged(const StagedFile& staged);

// Deletes the temporaries of `files` that a killed writer left in `folder`.
// Only under the folder's lock, where no writer of them can be at work.
void RemoveStaleTemporaries(const std::filesystem::path& folder,
                            const std::vector<std::filesystem::path>& files);

// True for the temporary files WriteFileAtomically makes for `file`.
bool IsTemporaryFor(const std::filesystem::path& candidate, const std::filesystem::path& file);

}  // namespace corvaline
