// A library put in front of the C library (LD_PRELOAD) that makes one system call fail, to see
// what a save does when the disk or the file system fails at that step:
//   NUMORA_FAIL_CALL=write|fsync|rename|linkat  the call to fail
//   NUMORA_FAIL_AT=N                            fail its N-th call (counted from 1)
//   NUMORA_FAIL_BY_KILLING=1                    kill the process at that call instead, as
//                                               a crash or a power cut would end it
//   NUMORA_NO_UNNAMED_FILES=1                   open(O_TMPFILE) fails as on a file system
//                                               without unnamed files
// Calls on standard input, output and error are neither counted nor failed, so only the files
// a program writes are hit.

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// Whether this call of `name` is the one to fail; the process ends here where it is to be
// killed instead.
bool failsNow(const char* name) {
  static int calls = 0;
  const char* failing = std::getenv("NUMORA_FAIL_CALL");
  const char* at = std::getenv("NUMORA_FAIL_AT");
  if (failing == nullptr || at == nullptr || std::strcmp(failing, name) != 0 ||
      ++calls != std::atoi(at)) {
    return false;
  }
  const char* killing = std::getenv("NUMORA_FAIL_BY_KILLING");
  if (killing != nullptr && killing[0] == '1') {
    ::kill(::getpid(), SIGKILL);
  }
  return true;
}

template <typename Function>
Function next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

bool unnamedFilesRefused(int flags) {
  const char* refused = std::getenv("NUMORA_NO_UNNAMED_FILES");
  return (flags & O_TMPFILE) == O_TMPFILE && refused != nullptr && refused[0] == '1';
}

}  // namespace

extern "C" {

ssize_t write(int descriptor, const void* bytes, size_t count) {
  if (descriptor > 2 && failsNow("write")) {
    errno = ENOSPC;
    return -1;
  }
  return next<ssize_t (*)(int, const void*, size_t)>("write")(descriptor, bytes, count);
}

int fsync(int descriptor) {
  if (descriptor > 2 && failsNow("fsync")) {
    errno = EIO;
    return -1;
  }
  return next<int (*)(int)>("fsync")(descriptor);
}

int rename(const char* from, const char* to) {
  if (failsNow("rename")) {
    errno = EIO;
    return -1;
  }
  return next<int (*)(const char*, const char*)>("rename")(from, to);
}

int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
  if (failsNow("linkat")) {
    errno = EIO;
    return -1;
  }
  return next<int (*)(int, const char*, int, const char*, int)>("linkat")(fromFolder, from,
                                                                          toFolder, to, flags);
}

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list arguments;
    va_start(arguments, flags);
    mode = static_cast<mode_t>(va_arg(arguments, int));
    va_end(arguments);
  }
  if (unnamedFilesRefused(flags)) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return next<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}

int open64(const char* path, int flags, ...) __attribute__((alias("open")));

}  // extern "C"
