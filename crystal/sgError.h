// The space-group library's error slot: the first message of a failing operation.
#pragma once

constexpr int SgErrorBufferSize = 128;

// Null when no error; else the first message since the slot was last cleared. BuildSgRecord
// clears it when it starts; otherwise callers clear it themselves.
extern const char* SgError;
// Receives the messages that carry formatted values.
extern char SgErrorBuffer[SgErrorBufferSize];

// Stores msg unless a message is already there: the first error wins.
void SetSgError(const char* msg);
// printf-style variant: formats into SgErrorBuffer (cut to its size) only when the slot is free,
// so that a stored message is never overwritten.
void SetSgErrorF(const char* format, ...) __attribute__((format(printf, 1, 2)));
