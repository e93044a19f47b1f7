#pragma once
// The platform's error code: one per thread, 0 when a thread starts. Queue
// operations set it when they fail; code 30 means "Entry Not Found".

namespace rt {

inline constexpr int kErrorEntryNotFound = 30;

void setErrorCode(int code);
int errorCode();

}  // namespace rt
