#pragma once

// The ISO 6346 check digit of container numbers.

#include <string>
#include <string_view>

// The check digit ("0".."9") over every character of number but the last.
// Characters not above a blank are skipped; the others are numbered
// n = 1, 2, ... and weigh value x 2^(n-1), where a digit is its own value and
// A = 10, B = 12 ... Z = 38 (11, 22 and 33 are left out). A character
// without a value (lower case, punctuation) adds nothing but keeps its place.
// The sum modulo 11 is the digit, 10 being written "0". The stored form
// "ABCD 1234567" thus weighs the ten letters and digits before its last
// character.
std::string CheckDigit(std::string_view number);

// How a number stands against its check digit, as the stowage check judges
// it: the number's first 12 characters without trailing blanks, whose last
// character is the check digit. The stored form (four letters, a blank, seven
// digits) and the compact form of eleven characters are judged alike.
struct CheckDigitResult {
  bool checked = false;  // false: 10 characters or fewer, nothing to check
  bool matches = false;
  char written = ' ';   // the number's own check digit
  std::string correct;  // what it should be
};
CheckDigitResult JudgeCheckDigit(std::string_view number);
