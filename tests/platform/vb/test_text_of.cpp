// The texts of values: they feed the row certification keys, so every
// office must produce the same characters.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::At;
using vbtest::ErrorOf;

TEST(TextOf, NumbersBooleansAndTexts) {
  struct Case {
    Variant value;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {Variant(std::int16_t{-250}), "-250"},
      {Variant(2019), "2019"},
      {Variant(0), "0"},
      {Variant(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
      {Variant(1500.0), "1500"},
      {Variant(0.1 + 0.2), "0.3"},
      {Variant(1e15), "1E+15"},
      {Variant(123456789012345.0), "123456789012345"},
      {Variant(999999999999999.9), "1E+15"},
      {Variant(-2.5), "-2.5"},
      {Variant(0.0001), "0.0001"},
      {Variant(0.00001), "1E-05"},
      {Variant(1.5e-5), "1.5E-05"},
      {Variant(-1e20), "-1E+20"},
      {Variant(1e100), "1E+100"},
      {Variant(-0.0), "0"},
      {Variant(1.0 / 3), "0.333333333333333"},
      {Variant(2.0 / 3), "0.666666666666667"},
      {Variant(Currency{15'000'000}), "1500"},
      {Variant(Currency{125'000}), "12.5"},
      {Variant(Currency{-1}), "-0.0001"},
      {Variant(Currency{std::numeric_limits<std::int64_t>::min()}), "-922337203685477.5808"},
      {Variant(*Decimal::Parse("12345678901234567890.50")), "12345678901234567890.5"},
      {Variant(*Decimal::Parse("-0.25")), "-0.25"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant(" a b "), " a b "},
      {Variant(), ""},
      {Null, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOf(c.value), c.expected) << ::testing::PrintToString(c.value);
}

TEST(TextOf, DatesLeaveOutMidnightAndAnEmptyDay) {
  struct Case {
    Date value;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {At(2020, 1, 5, 15, 4, 5), "1/5/2020 3:04:05 PM"},
      {At(2019, 12, 1), "12/1/2019"},
      {At(2019, 12, 1, 0, 0, 1), "12/1/2019 12:00:01 AM"},
      {At(2019, 12, 1, 12, 30, 0), "12/1/2019 12:30:00 PM"},
      {Date{(15 * 3600 + 4 * 60 + 5) / 86400.0}, "3:04:05 PM"},
      {Date{0}, "12:00:00 AM"},
      {Date{0.5}, "12:00:00 PM"},
      {Date{-1.25}, "12/29/1899 6:00:00 AM"},  // the fraction is the time of day -1
      {Date{-1.0}, "12/29/1899"},
      {Date{43835.99999999}, "1/6/2020"},  // the time rounds to the second
  };
  for (const Case& c : cases) EXPECT_EQ(TextOf(Variant(c.value)), c.expected) << c.value.serial;
}

TEST(CStr, NullIsAnErrorAndEmptyIsEmptyText) {
  EXPECT_EQ(ErrorOf([] { CStr(Null); }), err::InvalidUseOfNull);
  EXPECT_EQ(CStr(Variant()), "");
  EXPECT_EQ(CStr(Variant(12.5)), "12.5");
}

// A German locale (decimal comma, "." for thousands), built for the test
// into a folder of its own so that it exists on every machine.
class GermanLocale {
 public:
  GermanLocale() {
    char pattern[] = "/tmp/levlocale-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) return;
    folder_ = made;
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (folder_ / "de_DE.UTF-8").string() + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return;
    const char* before = std::getenv("LOCPATH");
    if (before != nullptr) oldLocPath_ = before;
    ::setenv("LOCPATH", folder_.c_str(), 1);
    saved_ = std::setlocale(LC_ALL, nullptr);
    active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  }
  ~GermanLocale() {
    if (!saved_.empty()) std::setlocale(LC_ALL, saved_.c_str());
    if (oldLocPath_)
      ::setenv("LOCPATH", oldLocPath_->c_str(), 1);
    else
      ::unsetenv("LOCPATH");
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
  }
  bool Active() const { return active_; }

 private:
  std::filesystem::path folder_;
  std::optional<std::string> oldLocPath_;
  std::string saved_;
  bool active_ = false;
};

TEST(TextOf, IgnoresTheMachineLocale) {
  GermanLocale german;
  ASSERT_TRUE(german.Active()) << "the German locale could not be built (localedef and the locales package)";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(TextOf(Variant(1234.5)), "1234.5");
  EXPECT_EQ(TextOf(Variant(-0.25)), "-0.25");
  EXPECT_EQ(CDbl(Variant("1,234.5")), 1234.5);
  EXPECT_EQ(Format(Variant(1234.5), "#,##0.00"), "1,234.50");
}
