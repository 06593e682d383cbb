#include "input_error.h"

#include <algorithm>

namespace standin {

namespace {

std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return text;
}

}  // namespace

InputError::InputError(const std::string& file, const std::string& place,
                       const std::string& message)
    : std::runtime_error(OneLine(file + ": " + place + ": " + message)),
      file_(file),
      place_(place) {}

}  // namespace standin
