#include "numbox/NumServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace numbox {

// ---- locale items -------------------------------------------------------

LocaleTable LocaleTable::EnglishUnitedStates() {
  LocaleTable t;
  t.Set(LocaleItem::CurrencyDigits, "2")
      .Set(LocaleItem::Digits, "2")
      .Set(LocaleItem::CurrencyGrouping, "3;0")
      .Set(LocaleItem::Grouping, "3;0")
      .Set(LocaleItem::NegativeCurrency, "0")
      .Set(LocaleItem::NegativeNumber, "1")
      .Set(LocaleItem::PositiveCurrency, "0")
      .Set(LocaleItem::CurrencyDecimal, ".")
      .Set(LocaleItem::Decimal, ".")
      .Set(LocaleItem::CurrencyThousand, ",")
      .Set(LocaleItem::Thousand, ",")
      .Set(LocaleItem::CurrencySymbol, "$");
  return t;
}

QString LocaleTable::Item(LocaleItem item) const {
  auto it = items_.find(item);
  return it == items_.end() ? QString() : it->second;
}

LocaleTable& LocaleTable::Set(LocaleItem item, const QString& text) {
  items_[item] = text;
  return *this;
}

namespace {

const LocaleInfo* installedLocale = nullptr;
Beeper* installedBeeper = nullptr;
Clock* installedClock = nullptr;
HostFormat* installedFormat = nullptr;

template <class T>
T* Swap(T*& slot, T* next) {
  T* previous = slot;
  slot = next;
  return previous;
}

class SystemBeeper : public Beeper {
 public:
  void Beep(unsigned) override { QApplication::beep(); }
};

class SystemClock : public Clock {
 public:
  SystemClock() { started_.start(); }
  qint64 Ticks() override { return started_.elapsed(); }
  void After(int ms, QObject* owner, std::function<void()> action) override {
    QTimer::singleShot(ms, owner, std::move(action));
  }

 private:
  QElapsedTimer started_;
};

}  // namespace

const LocaleInfo& Locale() {
  static const LocaleTable english = LocaleTable::EnglishUnitedStates();
  return installedLocale ? *installedLocale : english;
}

const LocaleInfo* SetLocale(const LocaleInfo* locale) { return Swap(installedLocale, locale); }

void Beep(unsigned type) {
  static SystemBeeper system;
  (installedBeeper ? *installedBeeper : static_cast<Beeper&>(system)).Beep(type);
}

Beeper* SetBeeper(Beeper* beeper) { return Swap(installedBeeper, beeper); }

Clock& CurrentClock() {
  static SystemClock system;
  return installedClock ? *installedClock : system;
}

Clock* SetClock(Clock* clock) { return Swap(installedClock, clock); }

HostFormat* InstalledHostFormat() { return installedFormat; }

HostFormat* SetHostFormat(HostFormat* format) { return Swap(installedFormat, format); }

// ---- string table and errors --------------------------------------------

QString StringText(int id) {
  static const std::map<int, const char*> table = {
      {1, "Ferncastle Masked Numeric Control"},
      {13, "Type mismatch"},
      {380, "Invalid property value"},
      {381, "Invalid property array index"},
      {481, "Invalid picture type"},
      {31000, "Invalid data field type - type of data field must be Integer, Long, Single, Double or Currency"},
      {31001, "Invalid number"},
      {31002, "Cannot set DataType property when control is bound to a field in a database."},
      {31003, "Cannot coerce value to new data type."},
      {31004,
       "You must specify either a zero length string for the system default value or a single character."},
      {31005, "The decimal character must not be a native digit."},
  };
  auto it = table.find(id);
  return it == table.end() ? QString() : QString::fromLatin1(it->second);
}

NumError::NumError(int number)
    : number_(number), description_(StringText(number)), what_(description_.toStdString()) {}

NumError::NumError(int number, const QString& description)
    : number_(number), description_(description), what_(description_.toStdString()) {}

void ThrowErrorById(int number) { throw NumError(number); }

// ---- Windows-1252 -------------------------------------------------------

namespace {
// Codes 0x80..0x9F; 0xFFFD where the code page names no character.
constexpr char16_t kHigh[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
}  // namespace

int AnsiCode(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  if (u == 0xFFFD) return -1;
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == u) return 0x80 + i;
  }
  return -1;
}

QChar AnsiChar(int code) {
  if (code < 0 || code > 0xFF) return QChar(0xFFFD);
  if (code >= 0x80 && code < 0xA0) return QChar(kHigh[code - 0x80]);
  return QChar(static_cast<char16_t>(code));
}

}  // namespace numbox
