// Bad input from a file the user or a module handed over: what() is one line,
// "FILE: PLACE: message", so a command line can print it as it is.
#pragma once

#include <stdexcept>
#include <string>

namespace standin {

class InputError : public std::runtime_error {
 public:
  // `place` is where in the file: a JSON pointer such as "/groups/0/parameters/3/id", "/" for
  // the whole file, or "line 3, column 7" for text that is not JSON at all.
  InputError(const std::string& file, const std::string& place, const std::string& message);

  const std::string& File() const { return file_; }
  const std::string& Place() const { return place_; }

 private:
  std::string file_;
  std::string place_;
};

}  // namespace standin
