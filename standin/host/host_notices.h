// Notices to the user and change notifications: recorded, notices also shown on stderr when
// a command line runs the host.
#pragma once

#include <cstdint>

namespace standin {

void NoticeShow(const char* text, int32_t kind) noexcept;
void ChangeNotify(int32_t flags) noexcept;

void SetNoticeEcho(bool onStderr);

}  // namespace standin
