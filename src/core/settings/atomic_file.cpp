#include "core/settings/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace corvaline {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenFile(const std::filesystem::path& file, const char* mode) {
  return FilePtr(std::fopen(file.string().c_str(), mode));
}

void SetError(int* errorCode, int value) {
  if (errorCode) *errorCode = value;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, int* errorCode) {
  errno = 0;
  FilePtr f = OpenFile(file, "rb");
  if (!f) {
    SetError(errorCode, errno);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(f.get())) {
    SetError(errorCode, errno ? errno : EIO);
    return std::nullopt;
  }
  return bytes;
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& file) {
  std::filesystem::path tmp = file;
  tmp += ".new";
  return tmp;
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         int* errorCode) {
  const std::filesystem::path tmp = TemporaryPathFor(file);
  errno = 0;
  FilePtr f = OpenFile(tmp, "wb");
  if (!f) {
    SetError(errorCode, errno ? errno : EIO);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
                       std::fflush(f.get()) == 0;
  const int writeErrno = errno;
  const bool closed = std::fclose(f.release()) == 0;
  std::error_code ec;
  if (!written || !closed) {
    SetError(errorCode, writeErrno ? writeErrno : EIO);
    std::filesystem::remove(tmp, ec);
    return false;
  }
  std::filesystem::rename(tmp, file, ec);
  if (ec) {
    SetError(errorCode, ec.value());
    std::filesystem::remove(tmp, ec);
    return false;
  }
  return true;
}

}  // namespace corvaline
