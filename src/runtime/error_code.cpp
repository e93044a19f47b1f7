#include "runtime/error_code.h"

namespace rt {

namespace {
thread_local int threadErrorCode = 0;
}  // namespace

void setErrorCode(int code) {
  threadErrorCode = code;
}

int errorCode() {
  return threadErrorCode;
}

}  // namespace rt
