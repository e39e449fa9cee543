#include "FreedMemory.h"

#include <malloc.h>

namespace numora {

void returnFreedMemory() { malloc_trim(0); }

}  // namespace numora
