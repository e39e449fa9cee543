// Prints number conversions of many pseudo-random inputs for the exact model in
// number_conversions_model.py to check, one case per line:
//   text SEED COUNT  ->  "<significand hex> <sign and exponent hex> <number text>"
//   read SEED COUNT  ->  "<text> <significand hex> <sign and exponent hex>" or "<text> FAIL"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "ExtendedFields.h"
#include "Faults.h"
#include "NumberReading.h"
#include "NumberText.h"

namespace {

using numora::Extended;

// Normal values: across the whole range, around one, tiny ones (where the decimal exponent
// estimate can be one too high), and ones with few significant bits (exact decimals, ties).
void dumpTexts(std::mt19937_64& random, int count) {
  for (int i = 0; i < count; ++i) {
    std::uint64_t significand = random() | (1ULL << 63);
    std::uint16_t exponent;
    switch (random() % 4) {
      case 0:
        exponent = static_cast<std::uint16_t>(1 + random() % 0x7FFE);
        break;
      case 1:
        exponent = static_cast<std::uint16_t>(16383 - 70 + random() % 140);
        break;
      case 2:
        exponent = static_cast<std::uint16_t>(1 + random() % 700);
        break;
      default:
        exponent = static_cast<std::uint16_t>(16383 - 70 + random() % 140);
        significand &= ~((1ULL << (random() % 64)) - 1);
        significand |= 1ULL << 63;
        break;
    }
    if (random() & 1) {
      exponent |= 0x8000;
    }
    const numora::ExtendedFields fields{(exponent & 0x8000) != 0, exponent & 0x7FFF, significand};
    const std::string text = numora::numberText(numora::extendedFromFields(fields), ',');
    std::printf("%016llx %04x %s\n", static_cast<unsigned long long>(significand), exponent,
                text.c_str());
  }
}

std::string randomDigits(std::mt19937_64& random, int count) {
  std::string digits;
  for (int k = 0; k < count; ++k) {
    digits += static_cast<char>('0' + random() % 10);
  }
  return digits;
}

// Texts with up to 30 integer and 30 fraction digits and exponents beyond both ends of the
// range; now and then one with so many digits that gathering them overflows.
void dumpReadings(std::mt19937_64& random, int count) {
  for (int i = 0; i < count; ++i) {
    const int integerDigits = random() % 500 == 0 ? 4920 + static_cast<int>(random() % 30)
                                                  : 1 + static_cast<int>(random() % 30);
    std::string text = randomDigits(random, integerDigits);
    const int fractionDigits = static_cast<int>(random() % 30);
    if (fractionDigits > 0) {
      text += "," + randomDigits(random, fractionDigits);
    }
    if (random() % 2) {
      text += "E" + std::to_string(static_cast<int>(random() % 9920) - 4960);
    }
    try {
      const numora::ExtendedFields fields = numora::fieldsOf(numora::readNumber(text, ','));
      const unsigned signAndExponent = (fields.negative ? 0x8000U : 0U) | fields.storedExponent;
      std::printf("%s %016llx %04x\n", text.c_str(),
                  static_cast<unsigned long long>(fields.significand), signAndExponent);
    } catch (const numora::EConvertError&) {
      std::printf("%s FAIL\n", text.c_str());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s text|read SEED COUNT\n", argv[0]);
    return 2;
  }
  std::mt19937_64 random(std::strtoull(argv[2], nullptr, 10));
  const int count = std::atoi(argv[3]);
  if (std::strcmp(argv[1], "text") == 0) {
    dumpTexts(random, count);
  } else {
    dumpReadings(random, count);
  }
  return 0;
}
