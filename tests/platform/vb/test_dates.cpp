// Dates: serials, calendar parts, date texts read and written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::At;
using vbtest::ErrorOf;

TEST(DateSerial, CountsDaysFromTheEpochAndRunsOver) {
  EXPECT_EQ(DateSerial(1899, 12, 30).serial, 0);
  EXPECT_EQ(DateSerial(1900, 1, 1).serial, 2);
  EXPECT_EQ(DateSerial(2020, 1, 5).serial, 43835);
  EXPECT_EQ(DateSerial(1899, 12, 29).serial, -1);
  EXPECT_EQ(DateSerial(100, 1, 1).serial, -657434);
  EXPECT_EQ(DateSerial(9999, 12, 31).serial, 2958465);
  EXPECT_EQ(DateSerial(2020, 13, 1).serial, DateSerial(2021, 1, 1).serial);
  EXPECT_EQ(DateSerial(2020, 0, 1).serial, DateSerial(2019, 12, 1).serial);
  EXPECT_EQ(DateSerial(2020, -13, 1).serial, DateSerial(2018, 11, 1).serial);
  EXPECT_EQ(DateSerial(2020, 3, 0).serial, DateSerial(2020, 2, 29).serial);
  EXPECT_EQ(DateSerial(2019, 3, 0).serial, DateSerial(2019, 2, 28).serial);
  EXPECT_EQ(DateSerial(2020, 1, 366).serial, DateSerial(2020, 12, 31).serial);
  EXPECT_EQ(DateSerial(20, 1, 1).serial, DateSerial(2020, 1, 1).serial);
  EXPECT_EQ(DateSerial(45, 1, 1).serial, DateSerial(1945, 1, 1).serial);
  EXPECT_EQ(ErrorOf([] { DateSerial(10000, 1, 1); }), err::InvalidProcedureCall);
  EXPECT_EQ(TimeSerial(15, 4, 5).serial, (15 * 3600 + 4 * 60 + 5) / 86400.0);
}

TEST(DateParts, OfPositiveAndNegativeSerials) {
  const Date d = At(2020, 1, 5, 15, 4, 5);
  EXPECT_EQ(Year(d), 2020);
  EXPECT_EQ(Month(d), 1);
  EXPECT_EQ(Day(d), 5);
  EXPECT_EQ(Hour(d), 15);
  EXPECT_EQ(Minute(d), 4);
  EXPECT_EQ(Second(d), 5);
  EXPECT_EQ(Weekday(d), 1);  // a Sunday
  EXPECT_EQ(Weekday(Date{0}), 7);
  EXPECT_EQ(Weekday(DateSerial(1899, 12, 24)), 1);

  const Date before{-1.25};  // 12/29/1899 6:00 AM
  EXPECT_EQ(Year(before), 1899);
  EXPECT_EQ(Month(before), 12);
  EXPECT_EQ(Day(before), 29);
  EXPECT_EQ(Hour(before), 6);
  EXPECT_EQ(Weekday(before), 6);

  EXPECT_EQ(Year(DateSerial(2000, 2, 29)), 2000);
  EXPECT_EQ(Day(DateSerial(2000, 2, 29)), 29);
}

TEST(CDate, ReadsUsAndIsoDateTexts) {
  struct Case {
    const char* text;
    Date expected;
  };
  const std::vector<Case> cases = {
      {"1/5/2020", At(2020, 1, 5)},
      {"01/05/2020", At(2020, 1, 5)},
      {"1/5/2020 3:04:05 PM", At(2020, 1, 5, 15, 4, 5)},
      {"1/5/2020 3:04 pm", At(2020, 1, 5, 15, 4)},
      {"1/5/2020 15:04:05", At(2020, 1, 5, 15, 4, 5)},
      {"2020-01-05 15:04:05", At(2020, 1, 5, 15, 4, 5)},
      {"2020-01-05T15:04:05", At(2020, 1, 5, 15, 4, 5)},
      {"2020-01-05", At(2020, 1, 5)},
      {"2020/1/5", At(2020, 1, 5)},
      {"1-5-2020", At(2020, 1, 5)},
      {"1/5/20", At(2020, 1, 5)},
      {"1/5/99", At(1999, 1, 5)},
      {"1/5/29", At(2029, 1, 5)},  // the two-digit year window turns at 29/30
      {"1/5/30", At(1930, 1, 5)},
      {"January 5, 2020", At(2020, 1, 5)},
      {"Jan 5 2020", At(2020, 1, 5)},
      {"5-Jan-2020", At(2020, 1, 5)},
      {"  1/5/2020  ", At(2020, 1, 5)},
      {"3:04 PM", Date{(15 * 3600 + 4 * 60) / 86400.0}},
      {"3 PM", Date{0.625}},
      {"12:00 AM", Date{0}},
      {"12:30 PM", Date{0.5 + 30 * 60 / 86400.0}},
      {"15:04:05", Date{(15 * 3600 + 4 * 60 + 5) / 86400.0}},
      {"12/29/1899 6:00 AM", Date{-1.25}},
      {"2/29/2020", At(2020, 2, 29)},
  };
  for (const Case& c : cases) EXPECT_EQ(CDate(Variant(c.text)).serial, c.expected.serial) << c.text;
}

TEST(CDate, RejectsTextsThatAreNoDate) {
  for (const char* text : {"", "abc", "12", "1.5", "13/5/2020", "2/30/2020", "2/29/2019", "1/5", "1/5/2020/7",
                           "3:60", "25:00", "1/5/2020 13:00 PM", "1/5/2020 3:04:05:06", "Foo 5, 2020",
                           "1/5/2020 x", "1/5/10000", "1//5/2020"}) {
    EXPECT_EQ(ErrorOf([&] { CDate(Variant(text)); }), err::TypeMismatch) << '"' << text << '"';
  }
}

TEST(IsoText, RoundTripsAndRejectsOtherForms) {
  const Date d = At(2020, 1, 5, 15, 4, 5);
  EXPECT_EQ(ToIsoText(d), "2020-01-05 15:04:05");
  EXPECT_EQ(ToIsoText(Date{-1.25}), "1899-12-29 06:00:00");
  EXPECT_EQ(FromIsoText("2020-01-05 15:04:05")->serial, d.serial);
  EXPECT_EQ(FromIsoText("2020-01-05T15:04:05")->serial, d.serial);
  EXPECT_EQ(FromIsoText("2020-01-05 15:04:04.600")->serial, d.serial);
  EXPECT_EQ(FromIsoText("2020-01-05")->serial, At(2020, 1, 5).serial);
  EXPECT_EQ(FromIsoText(ToIsoText(Date{-1.25}))->serial, -1.25);
  for (const char* text : {"", "2020-1-5", "2020-02-30", "2020-01-05 24:00:00", "2020-01-05 15:04",
                           "2020-01-05x", "01/05/2020", "2020-01-05 15:04:05."}) {
    EXPECT_FALSE(FromIsoText(text).has_value()) << text;
  }
}
