#pragma once

#include <string>
#include <string_view>

namespace numora {

// The application title formed from a program file path: the base name after the last "/",
// cut before its first ".", every character after the first lower-cased (ASCII letters and the
// Latin-1 letters of UTF-8, so a name stays valid UTF-8). "/opt/NUMORA.bin" gives "Numora".
std::string applicationTitle(std::string_view programPath);

// The full path of the running program's own file.
std::string programFilePath();

// The title of this process, taken from its own program file.
std::string applicationTitle();

}  // namespace numora
