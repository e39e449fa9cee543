#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "Faults.h"

namespace numora {

namespace {

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a new file gets: those of the file it replaces, else the usual ones for the
// user's file creation mask.
mode_t permissionsFor(const std::string& path) {
  struct stat existing;
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    return existing.st_mode & 07777;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Syncs the folder, so that the rename itself survives a crash. Nothing depends on it
// succeeding: the new content is in place either way.
void syncFolder(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor >= 0) {
    ::fsync(descriptor);
    ::close(descriptor);
  }
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
  std::string pattern = path_ + ".tmp-XXXXXX";
  descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor_ < 0) {
    fail(errno);
  }
  temporaryPath_ = std::move(pattern);
  if (::fchmod(descriptor_, permissionsFor(path_)) != 0) {
    fail(errno);
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
  }
  if (!temporaryPath_.empty()) {
    ::unlink(temporaryPath_.c_str());
  }
}

void AtomicFileWriter::fail(int error) {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
    descriptor_ = -1;
  }
  if (!temporaryPath_.empty()) {
    ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
  throw cannotCreateFileFault(path_, std::strerror(error));
}

void AtomicFileWriter::write(std::string_view bytes) {
  if (!writeAll(descriptor_, bytes)) {
    fail(errno);
  }
}

void AtomicFileWriter::commit() {
  if (::fsync(descriptor_) != 0) {
    fail(errno);
  }
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  if (closed != 0) {
    fail(errno);
  }
  if (::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    fail(errno);
  }
  temporaryPath_.clear();
  syncFolder(folderOf(path_));
}

void writeWholeFile(const std::string& path, std::string_view content) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    throw cannotCreateFileFault(path, std::strerror(errno));
  }
  const bool written = writeAll(descriptor, content);
  const int error = errno;
  const bool closed = ::close(descriptor) == 0;
  if (!written || !closed) {
    throw cannotCreateFileFault(path, std::strerror(written ? errno : error));
  }
}

std::string readWholeFile(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    throw cannotOpenFileFault(path, std::strerror(errno));
  }
  struct stat status;
  std::string content;
  if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
    content.reserve(static_cast<std::size_t>(status.st_size));
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      const int error = errno;
      ::close(descriptor);
      throw cannotOpenFileFault(path, std::strerror(error));
    }
    if (got == 0) {
      break;
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(descriptor);
  return content;
}

}  // namespace numora
