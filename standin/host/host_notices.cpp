#include "host_notices.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "call_trace.h"
#include "document.h"
#include "host_records.h"

namespace standin {

namespace {
std::atomic<bool> echoNotices{false};
}

void NoticeShow(const char* text, int32_t kind) noexcept {
  std::string shown = text ? text : "";
  Trace("NoticeShow", shown, kind);
  if (echoNotices.load()) std::fprintf(stderr, "verdanta: notice: %s\n", shown.c_str());
  RecordNotice(shown, kind);
  Records().notices.push_back({std::move(shown), kind});
}

void ChangeNotify(int32_t flags) noexcept {
  Trace("ChangeNotify", flags);
  RecordChangeNotify(flags);
  Records().changeNotifications.push_back(flags);
}

void SetNoticeEcho(bool onStderr) {
  echoNotices.store(onStderr);
}

}  // namespace standin
