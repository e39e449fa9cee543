#include "FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <new>
#include <string_view>
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

// The user's file creation mask, read once as the program starts, before any thread runs:
// reading it means setting it for a moment, which must not happen while another thread
// creates a file.
const mode_t FileCreationMask = [] {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}();

// The permissions a new file gets where no file is replaced: the usual ones for the user's
// file creation mask.
mode_t permissionsForNewFile() { return 0666 & ~FileCreationMask; }

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

constexpr char NameLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t RandomLetters = 8;
constexpr std::size_t LongestName = 255;
constexpr std::string_view TemporaryMark = ".numora-";

// The start of the names a save of `target` gives its new content: a hidden name derived from
// the target's own, shortened where it would not leave room for the random letters.
std::string temporaryNamePrefix(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::size_t room = LongestName - 1 - TemporaryMark.size() - RandomLetters;
  return "." + base.substr(0, room) + std::string(TemporaryMark);
}

// A name for a new file that no other file is likely to have: `prefix` and random letters.
std::string temporaryName(const std::string& prefix) {
  unsigned char random[RandomLetters] = {};
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    const auto clock =
        static_cast<unsigned long>(::getpid()) ^ static_cast<unsigned long>(std::time(nullptr));
    std::memcpy(random, &clock, std::min(sizeof clock, sizeof random));
  }
  std::string name = prefix;
  for (const unsigned char byte : random) {
    name.push_back(NameLetters[byte % (sizeof NameLetters - 1)]);
  }
  return name;
}

// Whether `name` is one that temporaryName gives with `prefix`.
bool isTemporaryName(std::string_view name, std::string_view prefix) {
  return name.size() == prefix.size() + RandomLetters && name.starts_with(prefix) &&
         name.substr(prefix.size()).find_first_not_of(NameLetters) == std::string_view::npos;
}

// Removes the file `name` in `folder` when it is a regular file that a save left behind: no
// save holds its lock, so the save that made it has ended without putting it in place. It is
// removed only while this still names the file whose lock was taken.
void removeIfLeftBehind(int folder, const char* name) {
  int file = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (file < 0 && errno == EACCES) {
    file = ::openat(folder, name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  }
  if (file < 0) {
    return;
  }
  struct stat locked;
  struct stat named;
  if (::fstat(file, &locked) == 0 && S_ISREG(locked.st_mode) &&
      ::flock(file, LOCK_EX | LOCK_NB) == 0 &&
      ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == locked.st_dev &&
      named.st_ino == locked.st_ino) {
    ::unlinkat(folder, name, 0);
  }
  ::close(file);
}

// Removes what earlier saves of the same target left in `folder` when they were killed after
// naming their new content and before putting it in place. Files of live saves, which hold
// their lock, and every file of another name stay.
void removeLeftoversOfEarlierSaves(const std::string& folder, const std::string& prefix) {
  DIR* const entries = ::opendir(folder.c_str());
  if (entries == nullptr) {
    return;
  }
  while (const dirent* entry = ::readdir(entries)) {
    if (isTemporaryName(entry->d_name, prefix)) {
      removeIfLeftBehind(::dirfd(entries), entry->d_name);
    }
  }
  ::closedir(entries);
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
  temporaryPrefix_ = temporaryNamePrefix(target_);
  removeLeftoversOfEarlierSaves(folder_, temporaryPrefix_);
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

// The new content goes to an unnamed file in the target's folder, else to a named one. Either
// is locked while this save lasts, so that no other save takes it for one left behind.
void AtomicFileWriter::openTemporary() {
  descriptor_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (descriptor_ >= 0) {
    ::flock(descriptor_, LOCK_EX);
    return;
  }
  if (!unnamedFilesUnsupported(errno)) {
    fail(errno);
  }
  openNamedTemporary();
}

// A named file for the new content. Between its creation and its lock another save may take it
// for one left behind and remove it; then it is made again.
void AtomicFileWriter::openNamedTemporary() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = folder_ + "/" + temporaryName(temporaryPrefix_);
    descriptor_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (descriptor_ < 0) {
      if (errno == EEXIST) {
        continue;
      }
      fail(errno);
    }
    temporaryPath_ = std::move(name);
    // Locked at once. A save that took the file for one left behind just before has removed
    // its name: then another is made. Where the file system has no locks, no save removes
    // another's file.
    ::flock(descriptor_, LOCK_EX);
    struct stat status;
    if (::fstat(descriptor_, &status) != 0 || status.st_nlink > 0) {
      return;
    }
    ::close(descriptor_);
    descriptor_ = -1;
    temporaryPath_.clear();
  }
  fail(EEXIST);
}

// Gives the unnamed file a name of its own in the target's folder, to rename from.
void AtomicFileWriter::nameTemporary() {
  const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = folder_ + "/" + temporaryName(temporaryPrefix_);
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
  // A second descriptor keeps the lock until the content is in place; closing the first one
  // reports what the file system could not write.
  const int lock = ::dup(descriptor_);
  if (lock < 0) {
    fail(errno);
  }
  const int closed = ::close(descriptor_);
  descriptor_ = lock;
  if (closed != 0) {
    fail(errno);
  }
  if (::rename(temporaryPath_.c_str(), target_.c_str()) != 0) {
    fail(errno);
  }
  temporaryPath_.clear();
  ::close(descriptor_);
  descriptor_ = -1;
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
