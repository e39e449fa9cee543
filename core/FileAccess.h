#pragma once

#include <string>
#include <string_view>

namespace numora {

// Writes a file so that it is either replaced as a whole or not at all: the content goes to a
// new file in the same folder, which is flushed, synced and then renamed over the target. A
// failure at any point leaves the previous file as it was and raises Exception
// "Datei "%s" kann nicht erstellt werden. %s" with the system's text for the error.
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

  std::string path_;
  std::string temporaryPath_;
  int descriptor_ = -1;
};

// Creates or empties the file and writes `content` into it; raises the same fault as above.
void writeWholeFile(const std::string& path, std::string_view content);

// The whole content of a file; raises Exception "Datei "%s" kann nicht geöffnet werden. %s"
// with the system's text for the error.
std::string readWholeFile(const std::string& path);

}  // namespace numora
