// A plug-in folder or module the host cannot work with. what() is one line, ready for a user.
#pragma once

#include <stdexcept>

namespace standin {

class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace standin
