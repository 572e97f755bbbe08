#include "report/Layout.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <set>

#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace report {
namespace {

// Reads one JSON object against the keys it may hold; every failure names
// the file and the place in it.
class Reader {
 public:
  Reader(const QJsonObject& object, std::string where, const std::string& origin,
         std::initializer_list<const char*> keys)
      : object_(object), where_(std::move(where)), origin_(origin) {
    std::set<QString> allowed;
    for (const char* key : keys) allowed.insert(QString::fromLatin1(key));
    for (const QString& key : object.keys()) {
      if (!allowed.count(key)) Fail("has no property \"" + key.toStdString() + "\"");
    }
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw vb::VbError(vb::err::InvalidProcedureCall, "The report layout " + origin_ + ": " + where_ + " " + what + ".");
  }

  bool Has(const char* key) const { return object_.contains(QLatin1String(key)); }

  std::string Text(const char* key, const std::string& fallback = {}) const {
    if (!Has(key)) return fallback;
    const QJsonValue v = object_.value(QLatin1String(key));
    if (!v.isString()) Fail(std::string("needs a text for \"") + key + "\"");
    return v.toString().toStdString();
  }
  int Twips(const char* key, int fallback = 0) const {
    if (!Has(key)) return fallback;
    const QJsonValue v = object_.value(QLatin1String(key));
    if (!v.isDouble() || v.toDouble() != static_cast<double>(static_cast<int>(v.toDouble())) || v.toDouble() < 0)
      Fail(std::string("needs a whole number of twips, not below 0, for \"") + key + "\"");
    return static_cast<int>(v.toDouble());
  }
  double Number(const char* key, double fallback) const {
    if (!Has(key)) return fallback;
    const QJsonValue v = object_.value(QLatin1String(key));
    if (!v.isDouble() || v.toDouble() <= 0) Fail(std::string("needs a number above 0 for \"") + key + "\"");
    return v.toDouble();
  }
  bool Flag(const char* key, bool fallback) const {
    if (!Has(key)) return fallback;
    const QJsonValue v = object_.value(QLatin1String(key));
    if (!v.isBool()) Fail(std::string("needs true or false for \"") + key + "\"");
    return v.toBool();
  }
  QJsonObject Object(const char* key) const {
    const QJsonValue v = object_.value(QLatin1String(key));
    if (!v.isObject()) Fail(std::string("needs an object for \"") + key + "\"");
    return v.toObject();
  }
  QJsonArray Array(const char* key) const {
    if (!Has(key)) return {};
    const QJsonValue v = object_.value(QLatin1String(key));
    if (!v.isArray()) Fail(std::string("needs a list for \"") + key + "\"");
    return v.toArray();
  }
  // One of a set of words, answered as its index.
  int Choice(const char* key, std::initializer_list<const char*> words, int fallback) const {
    if (!Has(key)) return fallback;
    const std::string value = Text(key);
    int i = 0;
    for (const char* word : words) {
      if (value == word) return i;
      ++i;
    }
    Fail(std::string("has no \"") + key + "\" named \"" + value + "\"");
  }
  Rgb Colour(const char* key) const {
    static const QRegularExpression pattern("^#[0-9A-Fa-f]{6}$");
    const std::string text = Text(key);
    if (!pattern.match(QString::fromStdString(text)).hasMatch()) Fail(std::string("needs \"#RRGGBB\" for \"") + key + "\"");
    const unsigned value = std::stoul(text.substr(1), nullptr, 16);
    return Rgb{static_cast<int>(value >> 16), static_cast<int>((value >> 8) & 0xFF), static_cast<int>(value & 0xFF)};
  }
  const std::string& Where() const { return where_; }

 private:
  QJsonObject object_;
  std::string where_;
  const std::string& origin_;
};

Font ReadFont(const QJsonObject& object, const std::string& where, const std::string& origin, const Font& base) {
  const Reader r(object, where + " font", origin, {"name", "size", "bold", "italic", "underline"});
  Font font = base;
  font.name = r.Text("name", base.name);
  font.size = r.Number("size", base.size);
  font.bold = r.Flag("bold", base.bold);
  font.italic = r.Flag("italic", base.italic);
  font.underline = r.Flag("underline", base.underline);
  return font;
}

// How a failure names an element: by its name when it has one.
std::string Named(const QJsonObject& object, const std::string& kind, int index) {
  const QString name = object.value("name").toString();
  return name.isEmpty() ? kind + " " + std::to_string(index) : kind + " \"" + name.toStdString() + "\"";
}

ControlLayout ReadControl(const QJsonObject& object, const std::string& where, const std::string& origin,
                          const Font& reportFont) {
  const Reader named(object, where, origin,
                     {"name", "kind", "left", "top", "width", "height", "visible", "caption", "dataMember",
                      "dataField", "format", "function", "font", "align", "canGrow", "border", "color", "fillColor"});
  ControlLayout c;
  c.name = named.Text("name");
  if (c.name.empty()) named.Fail("needs a \"name\"");
  if (!named.Has("kind")) named.Fail("needs a \"kind\"");
  c.kind = static_cast<ControlKind>(named.Choice("kind", {"label", "textBox", "function", "line", "shape"}, 0));
  c.left = named.Twips("left");
  c.top = named.Twips("top");
  c.width = named.Twips("width");
  c.height = named.Twips("height");
  c.visible = named.Flag("visible", true);
  c.caption = named.Text("caption");
  c.dataMember = named.Text("dataMember");
  c.dataField = named.Text("dataField");
  c.format = named.Text("format");
  if (named.Has("function") && named.Text("function") != "sum") named.Fail("has a \"function\" other than \"sum\"");
  c.font = named.Has("font") ? ReadFont(named.Object("font"), named.Where(), origin, reportFont) : reportFont;
  c.align = static_cast<Align>(named.Choice("align", {"left", "center", "right"}, 0));
  c.canGrow = named.Flag("canGrow", false);
  if (named.Has("border")) {
    const QJsonValue v = object.value("border");
    if (!v.isDouble() || (v.toDouble() != 0 && v.toDouble() != 1)) named.Fail("needs 0 or 1 for \"border\"");
    c.border = static_cast<int>(v.toDouble());
  }
  if (named.Has("color")) c.color = named.Colour("color");
  if (named.Has("fillColor")) c.fillColor = named.Colour("fillColor");

  const bool bound = c.kind == ControlKind::TextBox || c.kind == ControlKind::Function;
  if (bound && c.dataField.empty()) named.Fail("needs a \"dataField\"");
  if (!bound && (!c.dataField.empty() || !c.dataMember.empty() || !c.format.empty()))
    named.Fail("is no text box or function and takes no data");
  if (c.kind != ControlKind::Label && !c.caption.empty()) named.Fail("is no label and takes no \"caption\"");
  if (c.kind != ControlKind::Function && named.Has("function")) named.Fail("is no function");
  if (c.kind != ControlKind::Shape && c.fillColor) named.Fail("is no shape and takes no \"fillColor\"");
  return c;
}

SectionLayout ReadSection(const QJsonObject& object, const std::string& where, const std::string& origin,
                          const Font& reportFont) {
  const Reader named(object, where, origin,
                     {"name", "kind", "height", "visible", "keepTogether", "pageBreak", "controls"});
  SectionLayout s;
  s.name = named.Text("name");
  if (s.name.empty()) named.Fail("needs a \"name\"");
  if (!named.Has("kind")) named.Fail("needs a \"kind\"");
  s.kind = static_cast<SectionKind>(named.Choice(
      "kind", {"reportHeader", "pageHeader", "groupHeader", "detail", "groupFooter", "pageFooter", "reportFooter"}, 0));
  s.height = named.Twips("height");
  s.visible = named.Flag("visible", true);
  s.keepTogether = named.Flag("keepTogether", false);
  s.pageBreak = named.Choice("pageBreak", {"none", "before", "after", "beforeAndAfter"}, PageBreakNone);
  std::set<std::string> names;
  int index = 0;
  for (const QJsonValue& v : named.Array("controls")) {
    if (!v.isObject()) named.Fail("needs objects in \"controls\"");
    ControlLayout c =
        ReadControl(v.toObject(), named.Where() + ", " + Named(v.toObject(), "control", ++index), origin, reportFont);
    if (!names.insert(vb::LCase(c.name)).second) named.Fail("holds two controls named \"" + c.name + "\"");
    s.controls.push_back(std::move(c));
  }
  return s;
}

}  // namespace

Layout ParseLayout(const std::string& json, const std::string& origin) {
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parseError);
  if (doc.isNull() || !doc.isObject()) {
    throw vb::VbError(vb::err::InvalidProcedureCall,
                      "The report layout " + origin + " is no JSON object: " +
                          (doc.isNull() ? parseError.errorString().toStdString() + " at character " +
                                              std::to_string(parseError.offset)
                                        : std::string("it holds another value")) +
                          ".");
  }
  const QJsonObject root = doc.object();
  const Reader r(root, "report", origin,
                 {"name", "caption", "title", "width", "margins", "orientation", "window", "font", "sections"});
  Layout layout;
  layout.name = r.Text("name");
  layout.caption = r.Text("caption", layout.name);
  layout.title = r.Text("title");
  layout.width = r.Twips("width");
  if (r.Has("margins")) {
    const Reader m(r.Object("margins"), "margins", origin, {"left", "right", "top", "bottom"});
    layout.margins = {m.Twips("left", 1440), m.Twips("right", 1440), m.Twips("top", 1440), m.Twips("bottom", 1440)};
  }
  if (r.Has("orientation")) {
    const double orientation = root.value("orientation").toDouble(0);
    if (orientation != 1 && orientation != 2) r.Fail("needs 1 (portrait) or 2 (landscape) for \"orientation\"");
    layout.orientation = static_cast<int>(orientation);
  }
  if (r.Has("window")) {
    const Reader w(r.Object("window"), "window", origin, {"width", "height"});
    layout.windowWidth = w.Twips("width", layout.windowWidth);
    layout.windowHeight = w.Twips("height", layout.windowHeight);
  }
  if (r.Has("font")) layout.font = ReadFont(r.Object("font"), "report", origin, layout.font);

  std::set<std::string> names;
  int counts[7] = {};
  int index = 0;
  for (const QJsonValue& v : r.Array("sections")) {
    ++index;
    if (!v.isObject()) r.Fail("needs objects in \"sections\"");
    SectionLayout s = ReadSection(v.toObject(), Named(v.toObject(), "section", index), origin, layout.font);
    if (!names.insert(vb::LCase(s.name)).second) r.Fail("holds two sections named \"" + s.name + "\"");
    ++counts[static_cast<int>(s.kind)];
    layout.sections.push_back(std::move(s));
  }
  if (counts[static_cast<int>(SectionKind::Detail)] != 1) r.Fail("needs exactly one detail section");
  if (counts[static_cast<int>(SectionKind::GroupHeader)] != counts[static_cast<int>(SectionKind::GroupFooter)])
    r.Fail("needs as many group footers as group headers");
  for (SectionKind once : {SectionKind::ReportHeader, SectionKind::PageHeader, SectionKind::PageFooter,
                           SectionKind::ReportFooter}) {
    if (counts[static_cast<int>(once)] > 1) r.Fail("has a header or footer twice");
  }
  return layout;
}

Layout LoadLayout(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    throw vb::VbError(vb::err::FileNotFound, "The report layout " + path + " cannot be read.");
  }
  return ParseLayout(file.readAll().toStdString(), path);
}

}  // namespace report
