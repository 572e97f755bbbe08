// The small shared services and the program-wide helper functions.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "Utilities.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

TEST(Utilities, CertificateNumbersArePaddedToEightCharacters) {
  struct Case {
    std::string key, expected;
  } cases[] = {
      {"A1B2C3", "00A1B2C3"}, {"1", "00000001"},          {"", ""},
      {"   ", "   "},        {"12345678", "12345678"},   {"123456789", "123456789"},
      {"ab12", "0000ab12"},   {" 12345 ", "000 12345 "},  // counted trimmed, padded untrimmed
  };
  for (auto& c : cases) {
    std::string key = c.key;
    EXPECT_EQ(Utilities::GetCertKeyFormatted(key), c.expected) << "'" << c.key << "'";
    EXPECT_EQ(key, c.expected) << "the caller's variable is padded too";
  }
}

TEST(Utilities, ContactKeysAllowLettersDigitsBlanksAndUnderscores) {
  const std::pair<std::string, bool> cases[] = {
      {"", false},           {"John_Smith 2", true}, {"AZaz09", true}, {"O'Brien", false},
      {"Smith-Jones", false}, {"Zoë", false},        {"\b", true},     {"a.b", false},
  };
  for (const auto& [text, allowed] : cases) EXPECT_EQ(Utilities::CharacterAsciiKeyCheck(text), allowed) << text;
}

TEST(Utilities, EscapeQuotesDoublesEveryApostrophe) {
  EXPECT_EQ(vb::CStr(Utilities::EscapeQuotes("O'Brien's 'x'")), "O''Brien''s ''x''");
  EXPECT_EQ(vb::CStr(Utilities::EscapeQuotes("plain")), "plain");
  EXPECT_EQ(vb::CStr(Utilities::EscapeQuotes(vb::Variant(12))), "12");
  try {
    Utilities::EscapeQuotes(vb::Null);
    ADD_FAILURE() << "Null must fail";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::InvalidUseOfNull);
  }
}

TEST(ProgramWide, RoundHalfUpRoundsHalvesAwayFromZeroExactly) {
  struct Case {
    double value;
    int digits;
    double expected;
  } cases[] = {
      {2.5, 0, 3},           {3.5, 0, 4},           {-2.5, 0, -3},           {0.125, 2, 0.13},
      {2.675, 2, 2.68},      {1.005, 2, 1.01},      {131072.5, 0, 131073},   {-131072.5, 0, -131073},
      {1234567.125, 2, 1234567.13}, {2.4999, 0, 2}, {0, 2, 0},
      // Beyond the exact decimal's range the value has no decimal places.
      {1E300, 2, 1E300},     {-8E28, 0, -8E28},
  };
  for (const Case& c : cases) {
    const vb::Variant r = modGlobals::RoundHalfUp(c.value, static_cast<std::int16_t>(c.digits));
    ASSERT_EQ(r.Type(), vb::VarType::Double);
    EXPECT_EQ(r.AsDouble(), c.expected) << c.value << " at " << c.digits;
  }
  EXPECT_TRUE(modGlobals::RoundHalfUp(vb::Null, 2).IsNull());
  const vb::Variant exact = modGlobals::RoundHalfUp(*vb::Decimal::Parse("79228162514264337593543950.335"), 2);
  EXPECT_EQ(vb::CStr(exact), "79228162514264337593543950.34");
  EXPECT_EQ(vb::CStr(modGlobals::RoundHalfUp(vb::Currency::FromDouble(1.2345), 3)), "1.235");
}

TEST(ProgramWide, IsInArraySearchesFromTheStartIndex) {
  const std::vector<std::string> list{"TAX", "ATT", "Tax"};
  EXPECT_TRUE(modGlobals::IsInArray(list, "TAX", 0));
  EXPECT_FALSE(modGlobals::IsInArray(list, "TAX", 1));
  EXPECT_TRUE(modGlobals::IsInArray(list, "Tax", 1));
  EXPECT_FALSE(modGlobals::IsInArray(list, "tax", 0));  // exact comparison
  EXPECT_FALSE(modGlobals::IsInArray(list, "TAX", 7));  // past the end: nothing compared
  EXPECT_THROW(modGlobals::IsInArray(list, "TAX", -1), vb::VbError);
}

TEST(ProgramWide, FiscalYearRangeAndVersion) {
  EXPECT_EQ(modGlobals::GetFiscalYearRange(), "2019 - 20");
  EXPECT_EQ(modGlobals::gstrVersion, "19.00");
}

TEST(Utilities, OneSecondWaitReturnsOnlyAfterTheClockMovedOnMoreThanASecond) {
  ScriptedClock clock(vb::Date{43831.5}, 0.25);
  const double start = clock.Now().serial;
  Utilities::Time_Process();
  EXPECT_GT((clock.Now().serial - start) * 86400.0, 1.0);
  EXPECT_EQ(clock.Turns(), 5);  // 0.25 s a turn: events ran at 0, .25, .5, .75 and 1.0 s
}

TEST(Utilities, EnterMovesTheFocusToTheNextFieldOtherKeysDoNot) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* first = new QLineEdit;
  auto* second = new QLineEdit;
  layout->addWidget(first);
  layout->addWidget(second);
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  first->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), first);
  Utilities::MySendKey(65);
  EXPECT_EQ(QApplication::focusWidget(), first);
  Utilities::MySendKey(13);
  EXPECT_EQ(QApplication::focusWidget(), second);
}

TEST(Utilities, DisabledFieldsTurnGreyAndBack) {
  QLineEdit field;
  const QColor normal = field.palette().color(QPalette::Active, QPalette::Base);
  Utilities::DisableControl(field);
  EXPECT_FALSE(field.isEnabled());
  EXPECT_EQ(field.palette().color(QPalette::Disabled, QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
  Utilities::EnableControl(field);
  EXPECT_TRUE(field.isEnabled());
  EXPECT_EQ(field.palette().color(QPalette::Active, QPalette::Base), normal);
}

TEST(Utilities, HourglassIsSetOnceAndClearedCompletely) {
  Utilities::ScreenMouseEnabled(false);
  Utilities::ScreenMouseEnabled(false);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Utilities::ScreenMouseEnabled(true);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Utilities, ProcessIdentifierIsOurs) {
  EXPECT_EQ(Utilities::GetProcessID().AsLong(), static_cast<std::int32_t>(::getpid()));
}

TEST(Utilities, WindowSearchMatchesTitlesByPattern) {
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"LEVRONA", "LEVRONA", true},     {"LEVRONA - P-2", "LEVRONA*", true}, {"FORM 12", "FORM ##", true},
      {"FORM 1X", "FORM ##", false},    {"CAT", "[B-D]A?", true},            {"CAT", "[!C]AT", false},
      {"LEVRONA", "LEVRON", false},
  };
  for (const auto& [text, pattern, matches] : cases) EXPECT_EQ(Utilities::Like(text, pattern), matches) << pattern;

  QWidget hidden;
  hidden.setWindowTitle("Levrona");
  QWidget shown;
  shown.setWindowTitle("levrona");
  shown.show();
  EXPECT_EQ(Utilities::FindWindowWild("Levrona", false), &shown);  // the hidden one is passed over
  EXPECT_EQ(Utilities::FindWindowWild("Levrona", true), nullptr);
}

TEST(Utilities, PrinterOrientationIsTheProgramsOwnJobSetting) {
  {
    RecordingPrinters printers({"Office"});
    EXPECT_TRUE(Utilities::SetPrinterOrientation(2));
    EXPECT_EQ(ui::JobOrientation(), ui::OrientationLandscape);
    EXPECT_TRUE(Utilities::SetPrinterOrientation(1));
    EXPECT_EQ(ui::JobOrientation(), ui::OrientationPortrait);
  }
  RecordingPrinters none({});
  EXPECT_FALSE(Utilities::SetPrinterOrientation(2));
  EXPECT_EQ(ui::JobOrientation(), ui::OrientationPortrait);
}

}  // namespace
