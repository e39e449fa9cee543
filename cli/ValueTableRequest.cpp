#include "ValueTableRequest.h"

#include <optional>
#include <string>
#include <vector>

#include "Faults.h"

namespace numora::calc {

namespace {

constexpr std::string_view ExpectedShape = "expected VAR=FROM:TO[:STEP]";

std::optional<Variable> variableNamed(std::string_view name) {
  if (name == "x") {
    return Variable::X;
  }
  if (name == "y") {
    return Variable::Y;
  }
  if (name == "z") {
    return Variable::Z;
  }
  return std::nullopt;
}

// The texts between the colons of `text`.
std::vector<std::string_view> partsBetweenColons(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t colon = text.find(':'); colon != std::string_view::npos;
       colon = text.find(':', start)) {
    parts.push_back(text.substr(start, colon - start));
    start = colon + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

BadValueTableRequest badSpec(std::string_view argument, std::string_view problem) {
  return BadValueTableRequest("--value-table \"" + std::string(argument) +
                              "\": " + std::string(problem));
}

}  // namespace

ValueTableRequest readValueTableRequest(std::string_view argument) {
  const std::size_t equalsSign = argument.find('=');
  if (equalsSign == std::string_view::npos) {
    throw badSpec(argument, ExpectedShape);
  }
  const std::optional<Variable> variable = variableNamed(argument.substr(0, equalsSign));
  if (!variable) {
    throw badSpec(argument, "VAR is x, y or z");
  }
  const std::vector<std::string_view> parts = partsBetweenColons(argument.substr(equalsSign + 1));
  if (parts.size() != 2 && parts.size() != 3) {
    throw badSpec(argument, ExpectedShape);
  }
  try {
    return {*variable, readValueRange(parts[0], parts[1], parts.size() == 3 ? parts[2] : "1")};
  } catch (const Exception& fault) {
    throw badSpec(argument, messageBoxText(fault.message()));
  }
}

}  // namespace numora::calc
