#include "FileAccess.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <new>
#include <utility>

#include "Faults.h"

namespace numora {

namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int MaxLinksFollowed = 40;

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The text a symbolic link holds, or nothing when `path` is none.
bool readLink(const std::string& path, std::string& text) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0) {
      return false;
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      text = std::move(buffer);
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// The file a write to `path` lands in: `path` itself, or the end of its chain of symbolic
// links, which need not exist yet. Sets errno to ELOOP and gives nothing for a chain that does
// not end.
bool followLinks(std::string path, std::string& target) {
  for (int followed = 0; followed <= MaxLinksFollowed; ++followed) {
    std::string link;
    if (!readLink(path, link)) {
      target = std::move(path);
      return true;
    }
    path = link.front() == '/' ? link : folderOf(path) + "/" + link;
  }
  errno = ELOOP;
  return false;
}

// The permissions a new file gets where no file is replaced: the usual ones for the user's
// file creation mask.
mode_t permissionsForNewFile() {
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

// A short name for a new file in `folder` that no other file is likely to have.
std::string temporaryName(const std::string& folder) {
  static constexpr char Letters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  unsigned char random[8] = {};
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    const auto clock =
        static_cast<unsigned long>(::getpid()) ^ static_cast<unsigned long>(std::time(nullptr));
    std::memcpy(random, &clock, sizeof random);
  }
  std::string name = folder + "/.numora-";
  for (const unsigned char byte : random) {
    name.push_back(Letters[byte % (sizeof Letters - 1)]);
  }
  return name;
}

// Why a file of `mode` cannot be opened or replaced as a table: the system's text for a folder,
// "Keine reguläre Datei" for a FIFO, device or socket.
std::string notRegularReason(mode_t mode) {
  return S_ISDIR(mode) ? std::strerror(EISDIR) : std::string(NotARegularFileReason);
}

// Whether `error` from an O_TMPFILE open means the file system or kernel has no unnamed files.
bool unnamedFilesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
  struct stat status;
  if (::stat(path_.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    throw cannotCreateFileFault(path_, notRegularReason(status.st_mode));
  }
  if (!followLinks(path_, target_)) {
    fail(errno);
  }
  folder_ = folderOf(target_);
  mode_t permissions = permissionsForNewFile();
  if (::lstat(target_.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) {
      throw cannotCreateFileFault(path_, notRegularReason(status.st_mode));
    }
    // The file is replaced only where it could have been written to directly.
    const int existing = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (existing < 0) {
      fail(errno);
    }
    ::close(existing);
    permissions = status.st_mode & 07777;
  } else if (errno != ENOENT) {
    fail(errno);
  }
  openTemporary();
  if (::fchmod(descriptor_, permissions) != 0) {
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

// The new content goes to an unnamed file in the target's folder, else to a short named one.
void AtomicFileWriter::openTemporary() {
  descriptor_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (descriptor_ >= 0) {
    return;
  }
  if (!unnamedFilesUnsupported(errno)) {
    fail(errno);
  }
  std::string pattern = folder_ + "/.numora-XXXXXX";
  descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor_ < 0) {
    fail(errno);
  }
  temporaryPath_ = std::move(pattern);
}

// Gives the unnamed file a short name of its own in the target's folder, to rename from.
void AtomicFileWriter::nameTemporary() {
  const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = temporaryName(folder_);
    int linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    if (linked != 0 && errno == ENOENT) {
      // No /proc: the system call that needs no path, where the user may use it.
      linked = ::linkat(descriptor_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
    }
    if (linked == 0) {
      temporaryPath_ = std::move(name);
      return;
    }
    if (errno != EEXIST) {
      fail(errno);
    }
  }
  fail(EEXIST);
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
  if (temporaryPath_.empty()) {
    nameTemporary();
  }
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  if (closed != 0) {
    fail(errno);
  }
  if (::rename(temporaryPath_.c_str(), target_.c_str()) != 0) {
    fail(errno);
  }
  temporaryPath_.clear();
  syncFolder(folder_);
}

void writeWholeFile(const std::string& path, std::string_view content) {
  AtomicFileWriter file(path);
  file.write(content);
  file.commit();
}

RegularFileReader::RegularFileReader(const std::string& path)
    : path_(path), descriptor_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
  if (descriptor_ < 0) {
    throw cannotOpenFileFault(path_, std::strerror(errno));
  }
  struct stat status;
  if (::fstat(descriptor_, &status) != 0) {
    const int error = errno;
    ::close(descriptor_);
    throw cannotOpenFileFault(path_, std::strerror(error));
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(descriptor_);
    throw cannotOpenFileFault(path_, notRegularReason(status.st_mode));
  }
  size_ = static_cast<std::size_t>(status.st_size);
  left_ = size_;
}

RegularFileReader::~RegularFileReader() { ::close(descriptor_); }

std::size_t RegularFileReader::read(char* buffer, std::size_t count) {
  count = std::min(count, left_);
  std::size_t filled = 0;
  while (filled < count) {
    const ssize_t got = ::read(descriptor_, buffer + filled, count - filled);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw cannotOpenFileFault(path_, std::strerror(errno));
    }
    if (got == 0) {
      left_ = 0;
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  left_ -= std::min(left_, filled);
  return filled;
}

std::string readWholeFile(const std::string& path, std::size_t spareBytes) {
  RegularFileReader file(path);
  std::string content;
  try {
    content.reserve(file.size() + spareBytes);
  } catch (const std::bad_alloc&) {
    throw outOfMemoryOpeningFault(path);
  }
  content.resize(file.size());
  content.resize(file.read(content.data(), content.size()));
  return content;
}

}  // namespace numora
