#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace numora {

// Writes a file so that it is either replaced as a whole or not at all. A symbolic link is
// followed and the file it points to replaced (a link to nothing creates its target), so the
// link stays. The content goes to an unnamed file in the target's folder, which is flushed,
// synced, given a hidden name derived from the target's (".NAME.numora-" and random letters)
// and renamed over the target. Where the file system has no unnamed files, a named one is used
// from the start. The file is locked while the save lasts: a save that is killed after naming
// it leaves a file no save holds, which the next save of the same target removes.
//
// The target is refused, before anything is written, when it exists and is no regular file or
// when the user may not write to it. A failure at any point leaves the previous file as it was
// and raises Exception "Datei "%s" kann nicht erstellt werden. %s" with the system's text for
// the error.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void write(std::string_view bytes);
  // Makes the new content the file's content.
  void commit();

 private:
  [[noreturn]] void fail(int error);
  void openTemporary();
  void openNamedTemporary();
  void nameTemporary();

  std::string path_;             // as the caller named it, for the fault message
  std::string target_;           // the file that is replaced: links followed
  std::string folder_;           // the target's folder
  std::string temporaryPrefix_;  // the start of the new content's name
  std::string temporaryPath_;    // the new content's name while it has one of its own
  int descriptor_ = -1;          // the new content, locked while the save lasts
};

// Writes `content` as the whole file, through AtomicFileWriter.
void writeWholeFile(const std::string& path, std::string_view content);

// A regular file read from its start a piece at a time, only as far as its size when it was
// opened. Opening raises the same faults as readWholeFile, reading the open fault with the
// system's text for the error.
class RegularFileReader {
 public:
  explicit RegularFileReader(const std::string& path);
  ~RegularFileReader();
  RegularFileReader(const RegularFileReader&) = delete;
  RegularFileReader& operator=(const RegularFileReader&) = delete;

  // The file's size when it was opened.
  std::size_t size() const { return size_; }
  // Reads the next bytes into `buffer`, `count` of them unless the file ends sooner; 0 at its
  // end.
  std::size_t read(char* buffer, std::size_t count);

 private:
  std::string path_;
  int descriptor_ = -1;
  std::size_t size_ = 0;
  std::size_t left_ = 0;
};

// The whole content of a regular file. It is opened without waiting, so a FIFO never blocks,
// and read only as far as its size said. Raises Exception "Datei "%s" kann nicht geöffnet
// werden. %s" with the system's text for the error (a folder's too), "Keine reguläre Datei"
// for a FIFO, device or socket, or "Nicht genügend Arbeitsspeicher". The text has room for
// `spareBytes` more bytes after the content without growing (a parser's padding).
std::string readWholeFile(const std::string& path, std::size_t spareBytes = 0);

}  // namespace numora
