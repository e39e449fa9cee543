#pragma once

#include <string>

namespace numora {

// The folders of the user's environment that decide where the print page goes.
struct UserFolders {
  std::string cacheHome;  // $XDG_CACHE_HOME, empty when unset
  std::string home;       // $HOME, else the user's home folder
};

// The folders of the user this process runs as.
UserFolders thisUsersFolders();

// Whether this process may create files in `folder`.
bool mayWriteInto(const std::string& folder);

// Creates `folder` and the folders above it that are missing, each for the user alone. A
// folder that cannot be created is left out silently: the failure shows when a file is
// written into it.
void createFolders(const std::string& folder);

}  // namespace numora
