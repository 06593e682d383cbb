#include "host_records.h"

namespace standin {

HostRecords& Records() {
  static HostRecords records;
  return records;
}

void ResetRecords() {
  Records() = HostRecords{};
}

}  // namespace standin
