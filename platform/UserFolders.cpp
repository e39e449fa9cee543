#include "UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace numora {

UserFolders thisUsersFolders() {
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  UserFolders user{cacheHome != nullptr ? cacheHome : "", home != nullptr ? home : ""};
  if (user.home.empty()) {
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
      user.home = entry->pw_dir;
    }
  }
  return user;
}

bool mayWriteInto(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

void createFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    ::mkdir(folder.substr(0, slash).c_str(), 0700);
  }
  ::mkdir(folder.c_str(), 0700);
}

}  // namespace numora
