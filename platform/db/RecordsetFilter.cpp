// Filter criteria and sort orders of record sets.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "db/RecordsetDetail.h"
#include "vb/Conversions.h"

namespace db::detail {
namespace {

[[noreturn]] void BadCriteria(std::string_view criteria, std::string_view why) {
  throw vb::VbError(vb::err::ArgumentOutOfRange,
                    "The filter \"" + std::string(criteria) + "\" cannot be applied: " + std::string(why) + ".");
}

// Wildcard match ignoring case: * or % any run, _ or ? one character.
bool LikeMatch(std::string_view text, std::string_view pattern) {
  std::string t = vb::UCase(text), p = vb::UCase(pattern);
  // The position after the UTF-8 character of the text that starts at `at`.
  const auto nextChar = [&t](std::size_t at) {
    do ++at;
    while (at < t.size() && (static_cast<unsigned char>(t[at]) & 0xC0) == 0x80);
    return at;
  };
  std::size_t ti = 0, pi = 0, star = std::string::npos, mark = 0;
  while (ti < t.size()) {
    if (pi < p.size() && (p[pi] == '_' || p[pi] == '?')) {
      ti = nextChar(ti);
      ++pi;
    } else if (pi < p.size() && p[pi] == t[ti]) {
      ++ti;
      ++pi;
    } else if (pi < p.size() && (p[pi] == '*' || p[pi] == '%')) {
      star = pi++;
      mark = ti;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ti = mark = nextChar(mark);
    } else {
      return false;
    }
  }
  while (pi < p.size() && (p[pi] == '*' || p[pi] == '%')) ++pi;
  return pi == p.size();
}

enum class Op { Eq, Ne, Lt, Gt, Le, Ge, Like };

class Comparison : public FilterExpr {
 public:
  Comparison(int field, Op op, vb::Variant literal) : field_(field), op_(op), literal_(std::move(literal)) {}

  bool Matches(const Row& row) const override {
    const vb::Variant& cell = NullIfEmpty(row.values[static_cast<std::size_t>(field_)]);
    if (literal_.IsNull()) {
      if (op_ == Op::Eq) return cell.IsNull();
      if (op_ == Op::Ne) return !cell.IsNull();
      return false;
    }
    if (cell.IsNull()) return false;
    if (op_ == Op::Like) return LikeMatch(vb::TextOf(cell), vb::TextOf(literal_));

    // The literal takes the kind of the field's value, as a comparison of a
    // column with a constant does.
    std::optional<int> order;
    try {
      if (cell.IsString() == literal_.IsString() && cell.Type() != vb::VarType::Date &&
          literal_.Type() != vb::VarType::Date) {
        order = vb::Compare(cell, literal_, vb::CompareMethod::Text);
      } else if (cell.Type() == vb::VarType::Date || literal_.Type() == vb::VarType::Date) {
        order = vb::Compare(vb::Variant(vb::CDate(cell).serial), vb::Variant(vb::CDate(literal_).serial));
      } else if (cell.IsString()) {
        if (!vb::IsNumeric(cell)) return op_ == Op::Ne;
        order = vb::Compare(vb::Variant(vb::CDbl(cell)), literal_);
      } else {
        if (!vb::IsNumeric(literal_)) return op_ == Op::Ne;
        order = vb::Compare(cell, vb::Variant(vb::CDbl(literal_)));
      }
    } catch (const vb::VbError&) {
      return op_ == Op::Ne;
    }
    if (!order) return false;
    switch (op_) {
      case Op::Eq: return *order == 0;
      case Op::Ne: return *order != 0;
      case Op::Lt: return *order < 0;
      case Op::Gt: return *order > 0;
      case Op::Le: return *order <= 0;
      case Op::Ge: return *order >= 0;
      case Op::Like: break;
    }
    return false;
  }

 private:
  int field_;
  Op op_;
  vb::Variant literal_;
};

// Terms joined by AND or by OR. A chain of one kind is one junction, so
// that a long chain is no deeper than a short one.
class Junction : public FilterExpr {
 public:
  Junction(bool isAnd, std::vector<std::shared_ptr<FilterExpr>> terms) : isAnd_(isAnd), terms_(std::move(terms)) {}
  bool Matches(const Row& row) const override {
    for (const auto& term : terms_)
      if (term->Matches(row) != isAnd_) return !isAnd_;
    return isAnd_;
  }

 private:
  bool isAnd_;
  std::vector<std::shared_ptr<FilterExpr>> terms_;
};

class Parser {
 public:
  Parser(std::string_view text, const RowStore& store) : text_(text), store_(store) {}

  std::shared_ptr<FilterExpr> Parse() {
    auto expr = ParseOr();
    SkipBlanks();
    if (pos_ != text_.size()) BadCriteria(text_, "unexpected text at \"" + std::string(text_.substr(pos_)) + "\"");
    return expr;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }

  bool Keyword(std::string_view word) {
    SkipBlanks();
    if (text_.size() - pos_ < word.size()) return false;
    if (!vb::TextEquals(text_.substr(pos_, word.size()), word)) return false;
    std::size_t end = pos_ + word.size();
    if (end < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[end])) || text_[end] == '_')) return false;
    pos_ = end;
    return true;
  }

  std::shared_ptr<FilterExpr> ParseOr() {
    std::vector<std::shared_ptr<FilterExpr>> terms{ParseAnd()};
    while (Keyword("OR")) terms.push_back(ParseAnd());
    return terms.size() == 1 ? terms.front() : std::make_shared<Junction>(false, std::move(terms));
  }

  std::shared_ptr<FilterExpr> ParseAnd() {
    std::vector<std::shared_ptr<FilterExpr>> terms{ParseFactor()};
    while (Keyword("AND")) terms.push_back(ParseFactor());
    return terms.size() == 1 ? terms.front() : std::make_shared<Junction>(true, std::move(terms));
  }

  std::shared_ptr<FilterExpr> ParseFactor() {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '(') {
      // Parentheses nest by recursion: past a fixed depth the filter is refused.
      if (++depth_ > kMaxNesting) BadCriteria(text_.substr(0, 40), "parentheses nest too deep");
      ++pos_;
      auto inner = ParseOr();
      SkipBlanks();
      if (pos_ >= text_.size() || text_[pos_] != ')') BadCriteria(text_, "a \")\" is missing");
      ++pos_;
      --depth_;
      return inner;
    }
    int field = ParseField();
    Op op;
    vb::Variant literal;
    if (Keyword("IS")) {
      bool negated = Keyword("NOT");
      if (!Keyword("NULL")) BadCriteria(text_, "IS must be followed by NULL");
      return std::make_shared<Comparison>(field, negated ? Op::Ne : Op::Eq, vb::Null);
    }
    op = ParseOp();
    literal = ParseLiteral();
    return std::make_shared<Comparison>(field, op, std::move(literal));
  }

  int ParseField() {
    SkipBlanks();
    std::string name;
    if (pos_ < text_.size() && (text_[pos_] == '[' || text_[pos_] == '"' || text_[pos_] == '`')) {
      char close = text_[pos_] == '[' ? ']' : text_[pos_];
      std::size_t end = text_.find(close, pos_ + 1);
      if (end == std::string_view::npos) BadCriteria(text_, "a field name is not closed");
      name = std::string(text_.substr(pos_ + 1, end - pos_ - 1));
      pos_ = end + 1;
    } else {
      std::size_t start = pos_;
      while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                                     text_[pos_] == '.' || text_[pos_] == '$'))
        ++pos_;
      name = std::string(text_.substr(start, pos_ - start));
    }
    if (name.empty()) BadCriteria(text_, "a field name is missing");
    const int index = store_.Find(name);
    if (index < 0) RaiseUnknownField(name);
    return index;
  }

  Op ParseOp() {
    SkipBlanks();
    auto take = [&](std::string_view sym) {
      if (text_.substr(pos_, sym.size()) == sym) {
        pos_ += sym.size();
        return true;
      }
      return false;
    };
    if (take("<>") || take("!=")) return Op::Ne;
    if (take("<=")) return Op::Le;
    if (take(">=")) return Op::Ge;
    if (take("=")) return Op::Eq;
    if (take("<")) return Op::Lt;
    if (take(">")) return Op::Gt;
    if (Keyword("LIKE")) return Op::Like;
    BadCriteria(text_, "a comparison operator is missing");
  }

  vb::Variant ParseLiteral() {
    SkipBlanks();
    if (pos_ >= text_.size()) BadCriteria(text_, "a value is missing");
    char c = text_[pos_];
    if (c == '\'' || c == '"') {
      std::string value;
      ++pos_;
      while (true) {
        if (pos_ >= text_.size()) BadCriteria(text_, "a text value is not closed");
        if (text_[pos_] == c) {
          if (pos_ + 1 < text_.size() && text_[pos_ + 1] == c) {
            value += c;
            pos_ += 2;
            continue;
          }
          ++pos_;
          break;
        }
        value += text_[pos_++];
      }
      return vb::Variant(std::move(value));
    }
    if (c == '#') {
      std::size_t end = text_.find('#', pos_ + 1);
      if (end == std::string_view::npos) BadCriteria(text_, "a date value is not closed");
      std::string text(text_.substr(pos_ + 1, end - pos_ - 1));
      pos_ = end + 1;
      try {
        return vb::Variant(vb::CDate(vb::Variant(text)));
      } catch (const vb::VbError&) {
        BadCriteria(text_, "\"" + text + "\" is not a date");
      }
    }
    if (Keyword("NULL")) return vb::Null;
    if (Keyword("TRUE")) return vb::Variant(true);
    if (Keyword("FALSE")) return vb::Variant(false);
    std::size_t start = pos_;
    while (pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.' ||
                                   text_[pos_] == '-' || text_[pos_] == '+' || text_[pos_] == 'E' || text_[pos_] == 'e'))
      ++pos_;
    std::string number(text_.substr(start, pos_ - start));
    if (number.empty() || !vb::IsNumeric(vb::Variant(number))) BadCriteria(text_, "a value cannot be read");
    // A small whole number compares as one; any other number (1E30 too,
    // which no decimal holds) as a double.
    const double value = vb::CDbl(vb::Variant(number));
    if (value == std::trunc(value) && std::fabs(value) < 2147483648.0)
      return vb::Variant::FromInt64(static_cast<std::int64_t>(value));
    return vb::Variant(value);
  }

  static constexpr int kMaxNesting = 100;
  std::string_view text_;
  const RowStore& store_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

std::shared_ptr<FilterExpr> FilterExpr::Parse(std::string_view criteria, const RowStore& store) {
  return Parser(criteria, store).Parse();
}

std::vector<std::pair<int, bool>> ParseSort(std::string_view spec, const RowStore& store) {
  std::vector<std::pair<int, bool>> keys;
  std::size_t start = 0;
  while (start <= spec.size()) {
    std::size_t end = spec.find(',', start);
    if (end == std::string_view::npos) end = spec.size();
    std::string item = vb::Trim(spec.substr(start, end - start));
    start = end + 1;
    if (item.empty()) continue;
    bool descending = false;
    std::string upper = vb::UCase(item);
    auto endsWith = [&](std::string_view word) {
      return upper.size() > word.size() && upper.compare(upper.size() - word.size(), word.size(), word) == 0 &&
             upper[upper.size() - word.size() - 1] == ' ';
    };
    if (endsWith("DESC")) {
      descending = true;
      item = vb::Trim(item.substr(0, item.size() - 4));
    } else if (endsWith("ASC")) {
      item = vb::Trim(item.substr(0, item.size() - 3));
    }
    if (item.size() >= 2 && item.front() == '[' && item.back() == ']') item = item.substr(1, item.size() - 2);
    const int index = store.Find(item);
    if (index < 0) RaiseUnknownField(item);
    keys.emplace_back(index, descending);
  }
  return keys;
}

bool SortLess(const Row& a, const Row& b, const std::vector<std::pair<int, bool>>& keys) {
  for (const auto& [index, descending] : keys) {
    const vb::Variant& x = NullIfEmpty(a.values[static_cast<std::size_t>(index)]);
    const vb::Variant& y = NullIfEmpty(b.values[static_cast<std::size_t>(index)]);
    const bool xNull = x.IsNull(), yNull = y.IsNull();
    int order;
    if (xNull || yNull) {
      order = xNull == yNull ? 0 : (xNull ? -1 : 1);
    } else {
      order = vb::Compare(x, y, vb::CompareMethod::Text).value_or(0);
    }
    if (order != 0) return descending ? order > 0 : order < 0;
  }
  return false;
}

}  // namespace db::detail
