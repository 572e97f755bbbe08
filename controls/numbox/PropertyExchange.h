#pragma once
// The field's stored properties: the property stream that hosts keep in
// their layout data (the exact bytes matter: stored layouts are read as
// they are), the same properties as named values, and the reset to the
// defaults. One ordered table of the properties (key, type, default,
// where the field keeps it) drives all of them.
//
// The stream: version, size (HIMETRIC), a mask of the stock properties
// that follow (ForeColor, BackColor, Font, Enabled), then every property
// of the table in order. Integers are little-endian; a Boolean is one
// byte; a text is length-prefixed Windows-1252; a font is 0xFF for its
// default or 0x00 and a font object; a picture is 0xFF for none.

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <span>

#include <stdexcept>

namespace numbox {

class CNumCtrl;

// A stream or named-value set that the field cannot take.
class PropertyStreamError : public std::runtime_error {
 public:
  explicit PropertyStreamError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  QString Message() const { return message_; }

 private:
  QString message_;
};

class PropertyExchange {
 public:
  static QByteArray Save(const CNumCtrl& field);
  static void Load(CNumCtrl& field, const QByteArray& bytes);
  static void Reset(CNumCtrl& field);
  static QVariantMap SaveToBag(const CNumCtrl& field);
  static void LoadFromBag(CNumCtrl& field, const QVariantMap& bag);

  // The keys of the table, in the order of the stream.
  static QStringList Keys();

  // A row of the table, and a whole set of values read before any of
  // it is applied (defined with the table).
  struct Row;
  struct Image;

 private:
  static std::span<const Row> Rows();
  static void Apply(CNumCtrl& field, const Image& image);
};

}  // namespace numbox
