#include "core/settings/atomic_file.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>
#include <thread>
#include <vector>

#include "core/settings/durable_io.h"
#include "core/settings/utf8_paths.h"

namespace corvaline {
namespace {

void SetError(int* errorCode, int value) {
  if (errorCode) *errorCode = value;
}

constexpr std::string_view kTemporaryMark = ".tmp-";

// Sixteen hex digits no other writer in this or another process is likely
// to pick; the exclusive create catches the rest.
std::string UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned long long seed = [] {
    std::random_device random;
    return (static_cast<unsigned long long>(random()) << 32) ^ random();
  }();
  std::mt19937_64 mix(seed + counter.fetch_add(1));
  const unsigned long long value = mix();
  std::string hex(16, '0');
  for (int i = 15, shift = 0; i >= 0; --i, shift += 4)
    hex[static_cast<std::size_t>(i)] = "0123456789abcdef"[(value >> shift) & 0xF];
  return hex;
}

std::optional<std::string> ReadCapped(std::istream& in, int* errorCode, std::size_t cap) {
  std::string bytes;
  std::array<char, 65536> buffer;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (bytes.size() + got > cap) {
      SetError(errorCode, kReadTooLarge);
      return std::nullopt;
    }
    bytes.append(buffer.data(), got);
  }
  if (in.bad()) {
    SetError(errorCode, EIO);
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::string> ReadOnce(const std::filesystem::path& file, int* errorCode,
                                    std::size_t cap) {
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (ec) {
    // Windows reports its own code here; a denial counts as EACCES everywhere.
    SetError(errorCode, ec == std::errc::permission_denied ? EACCES : ec.value());
    return std::nullopt;
  }
  if (!std::filesystem::is_regular_file(status)) {
    SetError(errorCode, kReadNotAFile);
    return std::nullopt;
  }
  if (const auto size = std::filesystem::file_size(file, ec); !ec && size > cap) {
    SetError(errorCode, kReadTooLarge);
    return std::nullopt;
  }
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    SetError(errorCode, errno ? errno : EACCES);
    return std::nullopt;
  }
  return ReadCapped(in, errorCode, cap);
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& file, std::size_t cap) {
  // On Windows a file that another program is renaming over cannot be
  // opened for that moment (access denied); a save of this program's own
  // is such a moment. A few retries let the reader see the new file instead
  // of an error; a file that stays denied costs some 20 ms more.
  int error = 0;
  for (int attempt = 0;; ++attempt) {
    auto bytes = ReadOnce(file, &error, cap);
    if (bytes) return std::move(*bytes);
    if (error != EACCES || attempt == 20) return Result<std::string>::Error(error, ReadErrorText(error, cap));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

Result<std::string> ReadWholeStream(std::istream& in, std::size_t cap) {
  int error = 0;
  if (auto bytes = ReadCapped(in, &error, cap)) return std::move(*bytes);
  return Result<std::string>::Error(error, ReadErrorText(error, cap));
}

std::string ReadErrorText(int errorCode, std::size_t cap) {
  if (errorCode == kReadTooLarge)
    return "larger than " + std::to_string(cap) + " bytes, more than such a file can hold";
  if (errorCode == kReadNotAFile) return "not a regular file";
  if (errorCode == kNoDurableIo) return "no file-system backend installed";
  return std::generic_category().message(errorCode);
}

bool IsTemporaryFor(const std::filesystem::path& candidate, const std::filesystem::path& file) {
  // Any name may sit in the folder: compared as UTF-8, never through the
  // ANSI code page, which cannot hold every letter (and throws).
  const std::string name = Utf8FromPath(candidate.filename());
  const std::string prefix = Utf8FromPath(file.filename()) + std::string(kTemporaryMark);
  return candidate.parent_path() == file.parent_path() && name.size() == prefix.size() + 16 &&
         name.compare(0, prefix.size(), prefix) == 0;
}

namespace {

// A failed save, worded as a failed read is.
Outcome SaveFailure(int code) { return Outcome::Error(code, ReadErrorText(code)); }

}  // namespace

Result<StagedFile> StageFile(const std::filesystem::path& file, std::string_view bytes) {
  const DurableIo* io = InstalledDurableIo();
  if (!io) return SaveFailure(kNoDurableIo);
  std::filesystem::path tmp;
  Result<OsFile> out = IoFailure(EEXIST);
  for (int attempt = 0; attempt < 16 && !out; ++attempt) {
    tmp = file;
    tmp += std::string(kTemporaryMark) + UniqueSuffix();
    out = io->createNew(tmp);
    if (!out && out.Code() != EEXIST) break;
  }
  if (!out) return SaveFailure(out.Code() ? out.Code() : EEXIST);
  Outcome written = io->write(*out, bytes);
  if (written) written = io->flush(*out);
  const Outcome closed = io->close(*out);
  if (!written || !closed) {
    io->remove(tmp);
    return SaveFailure(written ? closed.Code() : written.Code());
  }
  return StagedFile{file, tmp};
}

Outcome CommitStaged(const StagedFile& staged) {
  const DurableIo* io = InstalledDurableIo();
  const Outcome replaced = io ? io->replace(staged.temporary, staged.file) : IoFailure(kNoDurableIo);
  if (!replaced) {
    DiscardStaged(staged);
    return SaveFailure(replaced.Code());
  }
  // The new content is in place; only its survival of a power cut depends on
  // the folder's flush, which some file systems do not offer.
  const std::filesystem::path folder = staged.file.parent_path();
  static_cast<void>(io->flushFolder(folder.empty() ? std::filesystem::path(".") : folder));
  return {};
}

void DiscardStaged(const StagedFile& staged) {
  if (const DurableIo* io = InstalledDurableIo()) io->remove(staged.temporary);
}

Outcome WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  const auto staged = StageFile(file, bytes);
  return staged ? CommitStaged(*staged) : staged.AsOutcome();
}

void RemoveStaleTemporaries(const std::filesystem::path& folder,
                            const std::vector<std::filesystem::path>& files) {
  std::error_code ec;
  std::vector<std::filesystem::path> stale;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    for (const auto& file : files)
      if (IsTemporaryFor(it->path(), folder / file.filename())) stale.push_back(it->path());
  }
  const DurableIo* io = InstalledDurableIo();
  for (const auto& path : stale)
    if (io) io->remove(path);
}

}  // namespace corvaline
