#include "run_command.h"

#if defined(_WIN32)
#include <stdlib.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "temporary_folder.h"

namespace standin {

namespace {

namespace fs = std::filesystem;

char** CurrentEnvironment() {
#if defined(_WIN32)
  return _environ;
#else
  return environ;
#endif
}

std::vector<std::string> ChildEnvironment(const std::map<std::string, std::string>& overrides) {
  std::map<std::string, std::string> variables;
  for (char** entry = CurrentEnvironment(); *entry; ++entry) {
    std::string text = *entry;
    size_t equals = text.find('=');
    // Windows keeps the current folder of each drive under names that begin with '='.
    if (equals != std::string::npos && equals > 0) {
      variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
  }
  variables.erase("VERDANTA_PLUGINS");
  for (const auto& [name, value] : overrides) variables[name] = value;
  std::vector<std::string> environment;
  for (const auto& [name, value] : variables) environment.push_back(name + "=" + value);
  return environment;
}

// In text mode, so that the line ends of a Windows program read as '\n'.
std::string ReadFile(const fs::path& file) {
  std::ifstream stream(file);
  std::stringstream text;
  text << stream.rdbuf();
  return text.str();
}

#if defined(_WIN32)

std::wstring Wide(const std::string& text) {
  int size = static_cast<int>(text.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// CreateProcess takes one command line: every argument quoted, and the backslashes that stand
// before a quote doubled, as the C runtime splits it again.
std::wstring CommandLine(const std::vector<std::string>& arguments) {
  std::wstring line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += L' ';
    line += L'"';
    size_t backslashes = 0;
    for (wchar_t c : Wide(argument)) {
      if (c == L'\\') {
        ++backslashes;
        continue;
      }
      line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
      backslashes = 0;
      line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
  }
  return line;
}

HANDLE CreateOutputFile(const fs::path& file) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The exit code of `argv` run with `environment` in `workingFolder`, its output in the files.
int RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
             const fs::path& workingFolder, const fs::path& outFile, const fs::path& errFile) {
  HANDLE out = CreateOutputFile(outFile);
  HANDLE err = CreateOutputFile(errFile);
  if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot capture the command's output");
  }
  std::wstring block;
  for (const std::string& entry : environment) block += Wide(entry) + L'\0';
  block += L'\0';
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = CommandLine(argv);
  BOOL started = CreateProcessW(
      nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, block.data(),
      workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) throw std::runtime_error("cannot run " + argv[0]);
  DWORD exitCode = 0;
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

#else

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// The exit code of `argv` run with `environment` in `workingFolder`, its output in the files.
int RunChild(std::vector<std::string> argv, std::vector<std::string> environment,
             const fs::path& workingFolder, const fs::path& outFile, const fs::path& errFile) {
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envpPointers = Pointers(environment);
  int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (out < 0 || err < 0) throw std::runtime_error("cannot capture the command's output");

  pid_t child = fork();
  if (child == 0) {
    if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) _exit(126);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execve(argvPointers[0], argvPointers.data(), envpPointers.data());
    _exit(127);
  }
  close(out);
  close(err);
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    throw std::runtime_error("cannot run " + argv[0]);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#endif

}  // namespace

CommandResult RunVerdanta(const std::vector<std::string>& arguments,
                          const std::map<std::string, std::string>& environment,
                          const std::filesystem::path& workingFolder) {
  TemporaryFolder outputs;
  fs::path outFile = outputs.Path() / "out";
  fs::path errFile = outputs.Path() / "err";
  std::vector<std::string> argv = {VERDANTA_EXECUTABLE};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  CommandResult result;
  result.exitCode = RunChild(argv, ChildEnvironment(environment), workingFolder, outFile, errFile);
  result.out = ReadFile(outFile);
  result.err = ReadFile(errFile);
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

}  // namespace standin
