#pragma once

#include <string_view>

#include "Extended.h"

namespace numora {

// Reads a number text back: optional blanks, an optional sign, digits with at most one
// decimal separator (`separator`), an optional exponent ("E" or "e", an optional sign, digits),
// optional blanks. A text that is not of this form, or whose value lies beyond the extended range,
// raises EConvertError "'%s' ist kein gültiger Gleitkommawert" with the whole text. The
// reading raises no floating-point fault and leaves the caller's control word as it was.
Extended readNumber(std::string_view text, char separator);

}  // namespace numora
