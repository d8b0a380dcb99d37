// ToolSandbox::Run on Windows: CreateProcessW with the sandbox's variables
// added to this process's environment and the output sent to files.
#include <windows.h>

#include <cwctype>

#include "core/settings/utf8_paths.h"
#include "process_runner.h"

namespace corvaline::testing_support {
namespace {

std::wstring Wide(const std::string& utf8) { return PathFromUtf8(utf8).wstring(); }

// One argument as CommandLineToArgvW reads it back.
std::wstring QuoteArgument(const std::wstring& a) {
  if (!a.empty() && a.find_first_of(L" \t\"") == std::wstring::npos) return a;
  std::wstring q = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : a) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(backslashes * 2, L'\\');
  return q + L"\"";
}

bool Overridden(const wchar_t* entry) {
  std::wstring name;
  for (const wchar_t* c = entry; *c && *c != L'='; ++c) name += static_cast<wchar_t>(std::towupper(*c));
  return name == L"HOME" || name == L"XDG_CONFIG_HOME" || name == L"XDG_RUNTIME_DIR" ||
         name == L"APPDATA";
}

std::wstring Environment(const std::filesystem::path& dir) {
  std::wstring block;
  if (wchar_t* strings = GetEnvironmentStringsW()) {
    for (const wchar_t* e = strings; *e; e += wcslen(e) + 1) {
      if (!Overridden(e)) block.append(e).push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
  }
  // APPDATA is the per-user folder's base on Windows, as XDG_CONFIG_HOME on Linux.
  for (const auto& [name, value] : {std::pair{L"HOME=", dir}, std::pair{L"XDG_CONFIG_HOME=", dir / "config"},
                                    std::pair{L"APPDATA=", dir / "config"},
                                    std::pair{L"XDG_RUNTIME_DIR=", dir / "runtime"}})
    block.append(name).append(value.wstring()).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// The tests compare text; Windows ends its lines with CR LF.
std::string WithoutCarriageReturns(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

HANDLE Inheritable(const std::filesystem::path& file, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProcessResult ToolSandbox::Run(const std::vector<std::string>& args) const {
  const std::filesystem::path tool = PathFromUtf8(CORVALINECTL_PATH);
  std::wstring command = QuoteArgument(tool.wstring());
  for (const std::string& a : args) command += L" " + QuoteArgument(Wide(a));
  std::wstring environment = Environment(dir_);

  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  start.hStdOutput = Inheritable(dir_ / "stdout", GENERIC_WRITE, CREATE_ALWAYS);
  start.hStdError = Inheritable(dir_ / "stderr", GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process{};
  ProcessResult r;
  if (CreateProcessW(tool.c_str(), command.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(), nullptr,
                     &start, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code)) r.status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (HANDLE h : {start.hStdInput, start.hStdOutput, start.hStdError}) CloseHandle(h);
  r.out = WithoutCarriageReturns(ReadFileBytes(dir_ / "stdout"));
  r.err = WithoutCarriageReturns(ReadFileBytes(dir_ / "stderr"));
  return r;
}

bool MakeFifo(const std::filesystem::path&) { return false; }

}  // namespace corvaline::testing_support
