#pragma once
// The small services of the numeric field that reach beyond the field
// itself: the user's locale items, the refusal beep, the clock that drives
// the spin auto-repeat, and the host's Format function. Each has a default
// and can be replaced by the host (or a test); installing nullptr restores
// the default. The library also keeps its string table, its error type and
// its Windows-1252 table here.

#include <QString>
#include <QVariant>

#include <exception>
#include <functional>
#include <map>

class QObject;

namespace numbox {

// ---- locale items -------------------------------------------------------

// The number and currency items of the user's locale that the field reads.
enum class LocaleItem {
  CurrencyDigits,    // decimal places of amounts of money
  Digits,            // decimal places of numbers
  CurrencyGrouping,  // group size of amounts, as "3;0"
  Grouping,          // group size of numbers
  NegativeCurrency,  // negative pattern of amounts, 0..15
  NegativeNumber,    // negative pattern of numbers, 0..4
  PositiveCurrency,  // positive pattern of amounts, 0..3
  CurrencyDecimal,   // decimal separator of amounts
  Decimal,           // decimal separator of numbers
  CurrencyThousand,  // group separator of amounts
  Thousand,          // group separator of numbers
  CurrencySymbol,
};

class LocaleInfo {
 public:
  virtual ~LocaleInfo() = default;
  // The item's text; the empty text when the locale has none.
  virtual QString Item(LocaleItem item) const = 0;
};

// A locale given by a table of items. The default table is English (United
// States); the field never asks the C library's locale.
class LocaleTable : public LocaleInfo {
 public:
  static LocaleTable EnglishUnitedStates();
  QString Item(LocaleItem item) const override;
  // Sets one item; an empty text makes the lookup fail as a missing item does.
  LocaleTable& Set(LocaleItem item, const QString& text);

 private:
  std::map<LocaleItem, QString> items_;
};

// The installed locale (the English table until another is installed).
const LocaleInfo& Locale();
// Installs a locale (not owned) and answers the previous one.
const LocaleInfo* SetLocale(const LocaleInfo* locale);

// ---- beep ---------------------------------------------------------------

// The sound type of every refusal of the field.
constexpr unsigned kBeepExclamation = 0x30;

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep(unsigned type) = 0;
};
void Beep(unsigned type);
Beeper* SetBeeper(Beeper* beeper);

// ---- clock --------------------------------------------------------------

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start.
  virtual qint64 Ticks() = 0;
  // Runs `action` once after `ms` milliseconds, unless `owner` is gone by then.
  virtual void After(int ms, QObject* owner, std::function<void()> action) = 0;
};
Clock& CurrentClock();
Clock* SetClock(Clock* clock);

// ---- the host's Format --------------------------------------------------

class HostFormat {
 public:
  virtual ~HostFormat() = default;
  // Lays out `value` by `format` as the host language's Format function
  // does; answers false when it cannot.
  virtual bool Format(const QVariant& value, const QString& format, QString& out) = 0;
};
// The installed Format, or nullptr when the host installed none.
HostFormat* InstalledHostFormat();
HostFormat* SetHostFormat(HostFormat* format);

// ---- string table and errors --------------------------------------------

// The library's string table: 1 the type name, 13, 380, 381, 481 and
// 31000..31005 the error texts; the empty text for other numbers.
QString StringText(int id);

// The error that members of the field raise: the number, the text of the
// string table and the status code 0x800A0000 + number.
class NumError : public std::exception {
 public:
  explicit NumError(int number);
  // An error of the host's object protocol with its own text (383 a
  // read-only property, 438 no such member, 450 wrong arguments).
  NumError(int number, const QString& description);
  int Number() const { return number_; }
  QString Description() const { return description_; }
  quint32 Status() const { return 0x800A0000u + static_cast<quint32>(number_); }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int number_;
  QString description_;
  std::string what_;
};

[[noreturn]] void ThrowErrorById(int number);

// ---- Windows-1252 -------------------------------------------------------

// The code of a character in Windows-1252, or -1 when it has none.
int AnsiCode(QChar c);
// The character of a Windows-1252 code (0..255); U+FFFD for the five
// codes that name no character.
QChar AnsiChar(int code);

}  // namespace numbox
