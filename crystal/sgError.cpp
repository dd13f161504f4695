// The space-group library's error slot.
#include "crystal/sgError.h"

#include <cstdarg>
#include <cstdio>

const char* SgError = nullptr;
char SgErrorBuffer[SgErrorBufferSize];

void SetSgError(const char* msg) {
  if (SgError == nullptr) SgError = msg;
}

void SetSgErrorF(const char* format, ...) {
  if (SgError != nullptr) return;
  va_list args;
  va_start(args, format);
  std::vsnprintf(SgErrorBuffer, sizeof SgErrorBuffer, format, args);
  va_end(args);
  SgError = SgErrorBuffer;
}
