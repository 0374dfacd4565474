// Preloaded into a Wine program: while the file LUMORA_HOLD_WHILE names exists, a look at a path holding
// LUMORA_HOLD_PATHS_WITH made on the process's main thread (the program's window thread) waits, as it does on a
// network share that stopped answering. Wine's own lookups are these libc calls (the 32-bit ones of 64-bit time).
// Each look at such a path while the flag exists, on any thread, adds a byte to the flag: the test sees it was made.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static void HoldIfMarked(const char* path) {
  const char *flag = getenv("LUMORA_HOLD_WHILE"), *marker = getenv("LUMORA_HOLD_PATHS_WITH");
  if (!flag || !marker || !path || !strstr(path, marker)) return;
  const int seen = open(flag, O_WRONLY | O_APPEND);
  if (seen < 0) return;
  const ssize_t written = write(seen, "+", 1);
  close(seen);
  if (written != 1 || gettid() != getpid()) return;
  while (access(flag, F_OK) == 0) usleep(10 * 1000);
}

// Each waits while its path is held, then makes the call it stands for.
#define HOLDING(name, parameters, arguments)            \
  int name parameters {                                 \
    int (*real)() = (int (*)())dlsym(RTLD_NEXT, #name); \
    HoldIfMarked(path);                                 \
    return real arguments;                              \
  }

HOLDING(stat, (const char* path, void* buffer), (path, buffer))
HOLDING(lstat, (const char* path, void* buffer), (path, buffer))
HOLDING(fstatat, (int folder, const char* path, void* buffer, int flags), (folder, path, buffer, flags))
HOLDING(__stat64_time64, (const char* path, void* buffer), (path, buffer))
HOLDING(__lstat64_time64, (const char* path, void* buffer), (path, buffer))
HOLDING(__fstatat64_time64, (int folder, const char* path, void* buffer, int flags), (folder, path, buffer, flags))
