#pragma once
// Two value types of the field's persisted properties.
//
// Flag: a Boolean property that remembers the byte it is stored with. The
// stored property data holds both 0x01 and 0xFF for True; a flag read from
// it keeps its byte, so that saving gives the same bytes back. A flag set
// by a program is written 0xFF for True, a default True 0x01.
//
// FontDesc: a font as the property data describes it (face name, size in
// ten-thousandths of a point, weight, character set, italic, underline and
// strikeout). The face name stays as given; drawing takes the closest font
// the system has.

#include <QFont>
#include <QMetaType>
#include <QString>

namespace numbox {

class Flag {
 public:
  constexpr Flag() = default;
  // A default value: True is the byte 0x01.
  static constexpr Flag Default(bool value) { return Flag(value ? 0x01 : 0x00); }
  // A value as stored: any byte but 0 is True.
  static constexpr Flag Stored(quint8 byte) { return Flag(byte); }

  // A value set by a program: True is the byte 0xFF.
  constexpr Flag& operator=(bool value) {
    byte_ = value ? 0xFF : 0x00;
    return *this;
  }
  constexpr operator bool() const { return byte_ != 0; }
  constexpr quint8 Byte() const { return byte_; }

 private:
  constexpr explicit Flag(quint8 byte) : byte_(byte) {}
  quint8 byte_ = 0;
};

struct FontDesc {
  QString name = "MS Sans Serif";
  qint32 size = 90000;  // points × 10000
  short weight = 400;
  short charset = 0;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;

  // The font to draw with.
  QFont ToQFont() const;
  // The description of a Qt font (character set 0).
  static FontDesc FromQFont(const QFont& font);
  // "MS Sans Serif" at the given size, weight and slant.
  static FontDesc SansSerif(qint32 size, short weight, bool italic = false);

  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

}  // namespace numbox

Q_DECLARE_METATYPE(numbox::FontDesc)
