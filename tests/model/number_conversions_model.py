#!/usr/bin/env python3
"""An exact model of Numora's number text and number reading, in rational arithmetic.

It rounds to the 64-bit significand of the extended format step by step as the conversions
do, and checks every case that NumberConversionsDump prints. Exit status 1 on any difference.
usage: number_conversions_model.py DUMP-PROGRAM text|read SEED COUNT
"""

import subprocess
import sys
from fractions import Fraction

SIGNIFICAND_BITS = 64
BIAS = 16383
LARGEST = Fraction(2**64 - 1) * Fraction(2) ** (BIAS - 63)
SMALLEST_NORMAL = Fraction(2) ** (1 - BIAS)


def round_half_even(value):
    """The integer nearest to a non-negative fraction, ties to even."""
    whole, rest = divmod(value.numerator, value.denominator)
    twice = 2 * rest
    if twice > value.denominator or (twice == value.denominator and whole % 2 == 1):
        whole += 1
    return whole


def to_extended(value):
    """The value with a 64-bit significand nearest to a positive fraction, ties to even."""
    shift = value.numerator.bit_length() - value.denominator.bit_length() - SIGNIFICAND_BITS
    while True:
        scaled = value / Fraction(2) ** shift
        if scaled < 2**63:
            shift -= 1
        elif scaled >= 2**64:
            shift += 1
        else:
            break
    return Fraction(round_half_even(scaled)) * Fraction(2) ** shift


FACTORS = {}


def factor(power):
    if power not in FACTORS:
        FACTORS[power] = to_extended(Fraction(10) ** power)
    return FACTORS[power]


def scale(value, power):
    if power == 0:
        return value
    if power <= -5120:
        return Fraction(0)
    magnitude = abs(power)
    powers = [magnitude % 32]
    if (magnitude // 32) % 16:
        powers.append(32 * ((magnitude // 32) % 16))
    if magnitude // 512:
        powers.append(512 * (magnitude // 512))
    for p in powers:
        value = value * factor(p) if power > 0 else value / factor(p)
        value = to_extended(value) if value else value
    return value


def number_text(significand, sign_and_exponent, separator=","):
    negative = sign_and_exponent & 0x8000
    stored = sign_and_exponent & 0x7FFF
    value = Fraction(significand) * Fraction(2) ** (stored - BIAS - 63)
    exponent = (((stored - BIAS) * 19728) >> 16) + 1
    eighteen = round_half_even(scale(value, 18 - exponent))
    if eighteen >= 10**18:
        eighteen = round_half_even(Fraction(eighteen, 10))
        exponent += 1
    digits = str(eighteen).rjust(18, "0")
    fifteen = int(digits[:15])
    if int(digits[15]) >= 5:
        fifteen += 1
        if fifteen == 10**15:
            fifteen = 10**14
            exponent += 1
    digits = str(fifteen).rjust(15, "0").rstrip("0") or "0"
    if exponent > 15 or exponent < -3:
        text = digits[0] + (separator + digits[1:] if len(digits) > 1 else "")
        text += "E" + str(exponent - 1)
    elif exponent >= 1:
        text = digits[:exponent].ljust(exponent, "0")
        if len(digits) > exponent:
            text += separator + digits[exponent:]
    else:
        text = "0" + separator + "0" * -exponent + digits
    return ("-" if negative else "") + text


def extended_fields(value):
    """Significand and biased exponent of a positive normal value."""
    shift = value.numerator.bit_length() - value.denominator.bit_length() - 63
    significand = value / Fraction(2) ** shift
    while significand >= 2**64:
        significand /= 2
        shift += 1
    while significand < 2**63:
        significand *= 2
        shift -= 1
    assert significand.denominator == 1
    return int(significand), shift + 63 + BIAS


def number_reading(text):
    """(significand, exponent) of the value read, "FAIL" for an overflow, None for a value
    that is zero or below the normal range (not modelled)."""
    mantissa, _, exponent = text.partition("E")
    integer, _, fraction = mantissa.partition(",")
    value = Fraction(0)
    for digit in integer + fraction:
        value = to_extended(value * 10) if value else value
        value = to_extended(value + int(digit)) if value + int(digit) else value
        if value > LARGEST:
            return "FAIL"
    value = scale(value, (int(exponent) if exponent else 0) - len(fraction))
    if value > LARGEST:
        return "FAIL"
    if value < SMALLEST_NORMAL:
        return None
    return extended_fields(value)


def main():
    program, mode, seed, count = sys.argv[1:5]
    dump = subprocess.run([program, mode, seed, count], check=True, capture_output=True,
                          text=True).stdout.splitlines()
    differences = 0
    checked = 0
    for line in dump:
        fields = line.split()
        if mode == "text":
            expected = number_text(int(fields[0], 16), int(fields[1], 16))
            actual = fields[2]
        else:
            model = number_reading(fields[0])
            if model is None:
                continue
            expected = model if model == "FAIL" else "%016x %04x" % model
            actual = fields[1] if fields[1] == "FAIL" else fields[1] + " " + fields[2]
        checked += 1
        if expected != actual:
            differences += 1
            if differences <= 10:
                print("difference for", fields[0], "model:", expected, "program:", actual)
    print("%s: %d cases checked, %d differences" % (mode, checked, differences))
    return 1 if differences or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
