#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "SharedFiles.h"
#include "checks/CheckDigit.h"
#include "planning/AttributePanel.h"

namespace {

TEST(CheckDigit, WorkedExampleInBothStoredForms) {
  EXPECT_EQ(CheckDigit("CSQU3054383"), "3");
  EXPECT_EQ(CheckDigit("CSQU 3054383"), "3") << "the blank after the owner code is skipped";
  EXPECT_EQ(CheckDigit("CSQU 3054389"), "3") << "the last character is never weighed";
}

TEST(CheckDigit, RemainderTenIsWrittenZero) {
  EXPECT_EQ(CheckDigit("GYOU4047990"), "0");
  EXPECT_EQ(CheckDigit("GYOU 4047990"), "0");
}

// A single 1 among zeros shows the weight of its place: 2^(n-1) mod 11.
TEST(CheckDigit, PlacesAndValuesOfCharacters) {
  struct Case {
    const char* number;
    const char* digit;
    const char* why;
  } cases[] = {
      {"0000000001X", "6", "n = 10 weighs 512, 512 mod 11 = 6"},
      {"00000 00001X", "6", "a blank takes no place"},
      {"00000-00001X", "1", "punctuation takes a place: n = 11 weighs 1024 = 1 mod 11"},
      {"a000000001X", "6", "lower case adds nothing but keeps its place"},
      {"A000000000X", "0", "A = 10 at n = 1"},
      {"B000000000X", "1", "B = 12: the value 11 is left out"},
      {"L000000000X", "1", "L = 23: 22 is left out"},
      {"V000000000X", "1", "V = 34: 33 is left out"},
      {"Z000000000X", "5", "Z = 38"},
      {"X", "0", "nothing weighed"},
      {"", "0", "empty input"},
      // 2^40 does not fit an int; the weights repeat every ten places.
      {"00000000000000000000000000000000000000001X", "1", "n = 41 weighs 2^40 = 1 mod 11"},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckDigit(c.number), c.digit) << c.number << ": " << c.why;
}

TEST(JudgeCheckDigit, StoredAndCompactFormsAreJudgedAlike) {
  for (const char* number : {"CSQU 3054383", "CSQU3054383", "CSQU 3054383 "}) {
    const CheckDigitResult r = JudgeCheckDigit(number);
    EXPECT_TRUE(r.checked) << number;
    EXPECT_TRUE(r.matches) << number;
    EXPECT_EQ(r.correct, "3") << number;
  }
  for (const char* number : {"CSQU 3054384", "CSQU3054384"}) {
    const CheckDigitResult r = JudgeCheckDigit(number);
    EXPECT_TRUE(r.checked) << number;
    EXPECT_FALSE(r.matches) << number;
    EXPECT_EQ(r.written, '4') << number;
    EXPECT_EQ(r.correct, "3") << number;
  }
}

TEST(JudgeCheckDigit, TenCharactersOrFewerAreNotChecked) {
  for (const char* number : {"", "ET:010082", "CSQU305438", "ABCD 12345"})
    EXPECT_FALSE(JudgeCheckDigit(number).checked) << number;
}

// The public cases of the shared reference list. Numbers in lower case are
// left out: the program takes numbers as stored, in capitals, and a lower-case
// letter has no value (see PlacesAndValuesOfCharacters). Badly formed numbers
// are left out too: the digit check does not judge the form.
TEST(JudgeCheckDigit, ReferenceCases) {
  const std::filesystem::path file = CorpusPath(ZUM4_SOURCE_DIR, "reference") / "iso6346_cases.txt";
  ZUM4_REQUIRE_CORPUS(file);
  std::ifstream in(file);
  ASSERT_TRUE(in) << "cannot read " << file;
  int valid = 0, remainderTen = 0, wrong = 0, tooShort = 0;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string number, expected;
    std::getline(fields, number, '\t');
    std::getline(fields, expected, '\t');
    bool lowerCase = false;
    for (unsigned char ch : number) lowerCase |= std::islower(ch) != 0;
    if (lowerCase) continue;
    const CheckDigitResult r = JudgeCheckDigit(number);
    if (expected == "valid" || expected == "valid-rem10") {
      EXPECT_TRUE(r.checked && r.matches) << number << " should pass, digit computed " << r.correct;
      if (expected == "valid-rem10") {
        EXPECT_EQ(r.correct, "0") << number;
        ++remainderTen;
      } else {
        ++valid;
      }
    } else if (expected == "bad-checkdigit") {
      EXPECT_TRUE(r.checked) << number;
      EXPECT_FALSE(r.matches) << number;
      ++wrong;
    } else if (expected == "bad-length") {
      EXPECT_FALSE(r.checked) << number;
      ++tooShort;
    }
  }
  // A list that failed to parse must not pass unnoticed.
  EXPECT_GE(valid, 20);
  EXPECT_GE(remainderTen, 10);
  EXPECT_GE(wrong, 3);
  EXPECT_GE(tooShort, 1);
  const CheckDigitResult example = JudgeCheckDigit("CSQU3054384");
  EXPECT_EQ(example.correct, "3");
}

// A number as typed in a field or on a command line, brought to the stored
// form before its digit is judged.
TEST(CheckDigitOfTypedNumber, NormalisedToTheStoredForm) {
  struct Case {
    const char* typed;
    const char* stored;
    const char* why;
  } cases[] = {
      {"csqu3054383", "CSQU 3054383", "lower case is raised, the blank put after the owner code"},
      {"CSQU 305438-3", "CSQU 3054383", "a hyphen before the check digit goes"},
      {"CSQU 3054383", "CSQU 3054383", "the stored form stays as it is"},
      {"  csqu.305438/3 ", "CSQU 3054383", "blanks, points and slashes lie below '0'"},
      {"ABCD/0000001", "ABCD 0000001", "'/' is the last character dropped, '0' the first kept"},
      {"ET:010082", "ET:0 0010082", "':' lies above '0' and is kept"},
      {"ABC\xC4"
       "1234567",
       "ABC\xC4"
       " 1234567",
       "a code-page letter is above '0' as a byte"},
      {"ABCD12345", "ABCD 0012345", "nine characters: two zeros after the owner code"},
      {"CSQU305438", "CSQU 0305438", "ten characters: one zero"},
      {"ABCD", "ABCD 0000000", "the owner code alone"},
      {"AB", "AB00 0000000", "no full owner code: filled at the end"},
      {"CSQU30543830", "CSQU 30543830", "twelve characters are not shortened"},
      {"", "", "nothing typed"},
      {" - . ", "", "nothing kept"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseNumber(c.typed), c.stored) << c.typed << ": " << c.why;
}

// The ways of typing one number judge as its stored form does, where the
// raw text would weigh the hyphen or the lower-case letters.
TEST(CheckDigitOfTypedNumber, TypedFormsJudgeAsTheStoredOne) {
  for (const char* typed : {"csqu3054383", "CSQU 305438-3", "Csqu-305438-3"}) {
    const std::string stored = NormaliseNumber(typed);
    ASSERT_FALSE(stored.empty()) << typed;
    EXPECT_EQ(CheckDigit(stored), "3") << typed;
    EXPECT_EQ(stored.back(), '3') << typed;
  }
}

}  // namespace
