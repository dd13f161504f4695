// TextOut: builds a NUL-terminated text in a caller's buffer and never writes past its end.
#pragma once

#include <cstddef>

// Every append checks the room first; a text that does not fit is cut and marked overflowed,
// so callers test fits() at the end instead of looking for a clobbered last byte.
struct TextOut {
  char* buf;
  std::size_t size;
  std::size_t len = 0;
  bool overflow = false;

  TextOut(char* buffer, std::size_t bufferSize) : buf(buffer), size(bufferSize) {
    if (size > 0) buf[0] = '\0';
    else overflow = true;
  }
  void put(char c) {
    if (len + 1 < size) {
      buf[len++] = c;
      buf[len] = '\0';
    } else {
      overflow = true;
    }
  }
  void puts(const char* s) {
    while (*s) put(*s++);
  }
  bool fits() const { return !overflow; }
};
