#include "run_command.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "temporary_folder.h"

extern char** environ;

namespace standin {

namespace {

std::vector<std::string> ChildEnvironment(const std::map<std::string, std::string>& overrides) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    std::string text = *entry;
    size_t equals = text.find('=');
    if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  variables.erase("VERDANTA_PLUGINS");
  for (const auto& [name, value] : overrides) variables[name] = value;
  std::vector<std::string> environment;
  for (const auto& [name, value] : variables) environment.push_back(name + "=" + value);
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::stringstream text;
  text << stream.rdbuf();
  return text.str();
}

}  // namespace

CommandResult RunVerdanta(const std::vector<std::string>& arguments,
                          const std::map<std::string, std::string>& environment,
                          const std::filesystem::path& workingFolder) {
  TemporaryFolder outputs;
  std::filesystem::path outFile = outputs.Path() / "out";
  std::filesystem::path errFile = outputs.Path() / "err";
  std::vector<std::string> argv = {VERDANTA_EXECUTABLE};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envp = ChildEnvironment(environment);
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envpPointers = Pointers(envp);
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
  CommandResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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
