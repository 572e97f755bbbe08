// Variant arithmetic and comparison with the classic rules.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::At;
using vbtest::ErrorOf;

namespace {

Variant I(int v) { return Variant(static_cast<std::int16_t>(v)); }
Variant Dec(const char* text) { return Variant(*Decimal::Parse(text)); }
Variant Cur(double v) { return Variant(Currency::FromDouble(v)); }

using Operation = std::function<Variant(const Variant&, const Variant&)>;
const Operation Plus = [](const Variant& a, const Variant& b) { return a + b; };
const Operation Minus = [](const Variant& a, const Variant& b) { return a - b; };
const Operation Times = [](const Variant& a, const Variant& b) { return a * b; };
const Operation Divide = [](const Variant& a, const Variant& b) { return a / b; };

struct ArithmeticCase {
  const char* what;
  Variant a;
  Operation op;
  Variant b;
  Variant expected;  // same type and value
};

void ExpectResults(const std::vector<ArithmeticCase>& cases) {
  for (const ArithmeticCase& c : cases) {
    const Variant result = c.op(c.a, c.b);
    EXPECT_TRUE(result.Identical(c.expected))
        << c.what << ": got " << ::testing::PrintToString(result) << ", expected "
        << ::testing::PrintToString(c.expected);
  }
}

}  // namespace

TEST(VariantArithmetic, ResultTypesFollowTheWiderOperand) {
  ExpectResults({
      {"Empty + Empty", Variant(), Plus, Variant(), I(0)},
      {"Empty counts as 0", Variant(), Plus, Variant(5), Variant(5)},
      {"Boolean counts as -1", Variant(true), Plus, Variant(true), I(-2)},
      {"Integer + Integer", I(2), Plus, I(3), I(5)},
      {"Integer + Long", I(2), Plus, Variant(3), Variant(5)},
      {"Long + Currency", Variant(2), Plus, Cur(1.5), Cur(3.5)},
      {"Currency + Double", Cur(1.5), Plus, Variant(0.25), Variant(1.75)},
      {"Currency * Currency", Cur(1.5), Times, Cur(1.5), Cur(2.25)},
      {"Currency * Currency rounds half to even", Cur(0.0001), Times, Cur(0.5), Cur(0)},
      {"Double + Decimal", Variant(0.1), Plus, Dec("1"), Dec("1.1")},
      {"Decimal - Long", Dec("0.3"), Minus, Variant(1), Dec("-0.7")},
      {"a numeric text is a Double", Variant("1"), Plus, Variant(2), Variant(3.0)},
      {"texts with grouping", Variant("1,000"), Minus, Variant("1"), Variant(999.0)},
      {"text + text joins", Variant("1"), Plus, Variant("2"), Variant("12")},
      {"Empty + text joins", Variant(), Plus, Variant("x"), Variant("x")},
      {"Double sum", Variant(0.5), Plus, Variant(0.25), Variant(0.75)},
      {"Date + number", Variant(At(2020, 1, 5)), Plus, Variant(1), Variant(At(2020, 1, 6))},
      {"Date - number", Variant(At(2020, 1, 5)), Minus, Variant(0.5), Variant(At(2020, 1, 4, 12))},
      {"Date - Date", Variant(At(2020, 1, 5)), Minus, Variant(At(2020, 1, 1)), Variant(4.0)},
      {"Date * number is a number", Variant(Date{2}), Times, Variant(2), Variant(4.0)},
  });
}

TEST(VariantArithmetic, WholeNumbersWidenInsteadOfOverflowing) {
  ExpectResults({
      {"Integer overflow", I(32767), Plus, I(1), Variant(32768)},
      {"Integer product", I(200), Times, I(200), Variant(40000)},
      {"Integer underflow", I(-32768), Minus, I(1), Variant(-32769)},
      {"Long overflow", Variant(std::numeric_limits<std::int32_t>::max()), Plus, Variant(1), Variant(2147483648.0)},
      {"Long product", Variant(100000), Times, Variant(100000), Variant(1e10)},
  });
  EXPECT_TRUE((-I(-32768)).Identical(Variant(32768)));
  EXPECT_TRUE((-Variant(true)).Identical(I(1)));
}

TEST(VariantArithmetic, DivisionGivesDoubleOrDecimal) {
  ExpectResults({
      {"Integer / Integer", I(7), Divide, I(2), Variant(3.5)},
      {"Currency / Currency", Cur(3), Divide, Cur(2), Variant(1.5)},
      {"Decimal / Long", Dec("1"), Divide, Variant(3), Dec("0.3333333333333333333333333333")},
      {"text / number", Variant("9"), Divide, Variant(3), Variant(3.0)},
  });
}

TEST(VariantArithmetic, NullPropagates) {
  for (const Operation& op : {Plus, Minus, Times, Divide}) {
    EXPECT_TRUE(op(Null, Variant(1)).IsNull());
    EXPECT_TRUE(op(Variant("x"), Null).IsNull());
    EXPECT_TRUE(op(Null, Variant()).IsNull());
  }
  EXPECT_TRUE((-Null).IsNull());
  EXPECT_TRUE(IntDiv(Null, Variant(2)).IsNull());
  EXPECT_TRUE(Mod(Variant(2), Null).IsNull());
  EXPECT_TRUE(Pow(Null, Variant(2)).IsNull());
}

TEST(VariantArithmetic, Errors) {
  struct Case {
    const char* what;
    std::function<void()> action;
    long error;
  };
  const Currency maxCurrency{std::numeric_limits<std::int64_t>::max()};
  const std::vector<Case> cases = {
      {"non-numeric text", [] { Variant("abc") + Variant(1); }, err::TypeMismatch},
      {"non-numeric text minus", [] { Variant("1") - Variant("x"); }, err::TypeMismatch},
      {"Currency overflow", [=] { Variant(maxCurrency) + Variant(maxCurrency); }, err::Overflow},
      {"Currency product overflow", [=] { Variant(maxCurrency) * Variant(2); }, err::Overflow},
      {"Double overflow", [] { Variant(1e308) * Variant(10.0); }, err::Overflow},
      {"Decimal overflow", [] { Dec("79228162514264337593543950335") + Variant(1); }, err::Overflow},
      {"x / 0", [] { Variant(1) / Variant(0); }, err::DivisionByZero},
      {"0 / 0", [] { Variant(0.0) / Variant(0); }, err::Overflow},
      {"Empty / Empty", [] { Variant() / Variant(); }, err::Overflow},
      {"Decimal / 0", [] { Dec("1.5") / Variant(0); }, err::DivisionByZero},
      {"x \\ 0", [] { IntDiv(Variant(5), Variant(0.4)); }, err::DivisionByZero},
      {"x Mod 0", [] { Mod(Variant(5), Variant()); }, err::DivisionByZero},
      {"\\ beyond Long", [] { IntDiv(Variant(3e9), Variant(2)); }, err::Overflow},
      {"0 ^ -1", [] { Pow(Variant(0), Variant(-1)); }, err::InvalidProcedureCall},
      {"(-8) ^ 0.5", [] { Pow(Variant(-8), Variant(0.5)); }, err::InvalidProcedureCall},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.action), c.error) << c.what;
}

TEST(VariantArithmetic, IntegerDivisionAndModRoundOperandsHalfToEven) {
  struct Case {
    Variant a, b, quotient, remainder;
  };
  const std::vector<Case> cases = {
      {I(7), I(2), I(3), I(1)},
      {I(-7), I(2), I(-3), I(-1)},
      {Variant(7), I(2), Variant(3), Variant(1)},
      {Variant(2.5), Variant(1), Variant(2), Variant(0)},   // 2.5 rounds to 2
      {Variant(3.5), Variant(2), Variant(2), Variant(0)},   // 3.5 rounds to 4
      {Variant(7.5), Variant(2.5), Variant(4), Variant(0)}, // 8 and 2
      {Variant("10"), I(3), Variant(3), Variant(1)},
      {Cur(10.5), I(4), Variant(2), Variant(2)},            // 10.5 rounds to 10
      {Variant(true), I(1), I(-1), I(0)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(IntDiv(c.a, c.b).Identical(c.quotient))
        << TextOf(c.a) << " \\ " << TextOf(c.b) << " = " << ::testing::PrintToString(IntDiv(c.a, c.b));
    EXPECT_TRUE(Mod(c.a, c.b).Identical(c.remainder))
        << TextOf(c.a) << " Mod " << TextOf(c.b) << " = " << ::testing::PrintToString(Mod(c.a, c.b));
  }
}

TEST(VariantArithmetic, PowerAndConcatenation) {
  EXPECT_TRUE(Pow(I(2), I(10)).Identical(Variant(1024.0)));
  EXPECT_TRUE(Pow(Variant(-2), Variant(3)).Identical(Variant(-8.0)));
  EXPECT_TRUE(Pow(Variant("9"), Variant(0.5)).Identical(Variant(3.0)));

  EXPECT_TRUE(Concat(Null, Null).IsNull());
  EXPECT_TRUE(Concat(Null, Variant("a")).Identical(Variant("a")));
  EXPECT_TRUE(Concat(Variant(1), Variant(true)).Identical(Variant("1True")));
  EXPECT_TRUE(Concat(Variant(1.5), Variant(At(2020, 1, 5))).Identical(Variant("1.51/5/2020")));
}

TEST(VariantCompare, ClassicRules) {
  struct Case {
    Variant a, b;
    CompareMethod method;
    int expected;
  };
  const auto bin = CompareMethod::Binary;
  const auto text = CompareMethod::Text;
  const std::vector<Case> cases = {
      {I(1), Variant(1.0), bin, 0},
      {Variant(2), Cur(1.5), bin, 1},
      {Cur(0.1), Variant(0.1), bin, 0},
      {Dec("0.1"), Variant(0.1), bin, 0},
      {Dec("0.30000000000000001"), Variant(0.3), bin, 1},
      {Dec("1"), Variant(1e300), bin, -1},
      {Variant(true), Variant(-1), bin, 0},
      {Variant(At(2020, 1, 5)), Variant(43835.0), bin, 0},
      {Variant("abc"), Variant("ABC"), bin, 1},
      {Variant("abc"), Variant("ABC"), text, 0},
      {Variant("\xC3\xA9t\xC3\xA9"), Variant("\xC3\x89T\xC3\x89"), text, 0},  // été, ÉTÉ
      {Variant("a"), Variant("b"), bin, -1},
      {Variant("_"), Variant("a"), text, -1},
      {Variant("Z"), Variant("a"), bin, -1},
      {Variant("Z"), Variant("a"), text, 1},
      {Variant("ab"), Variant("a"), bin, 1},
      {Variant(5), Variant("4"), bin, -1},  // a number is below a text
      {Variant("4"), Variant(5), bin, 1},
      {Variant(At(2020, 1, 5)), Variant("a"), bin, -1},
      {Variant(), Variant(0), bin, 0},
      {Variant(), Variant(-1), bin, 1},
      {Variant(), Variant(""), bin, 0},
      {Variant(), Variant("a"), bin, -1},
      {Variant(), Variant(), bin, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Compare(c.a, c.b, c.method), c.expected)
        << ::testing::PrintToString(c.a) << " vs " << ::testing::PrintToString(c.b);
  }
}

TEST(VariantCompare, NullIsNeitherEqualNorUnequal) {
  EXPECT_FALSE(Compare(Null, Variant(1)).has_value());
  EXPECT_FALSE(Compare(Variant(), Null).has_value());
  EXPECT_FALSE(Equal(Null, Null));
  EXPECT_TRUE(Equal(Variant(), Variant(0)));
  EXPECT_TRUE(Equal(Variant("Abc"), Variant("aBC"), CompareMethod::Text));
  EXPECT_FALSE(Equal(Variant("Abc"), Variant("aBC")));
}

TEST(Variant, TypesAndIdentity) {
  EXPECT_EQ(Variant().Type(), VarType::Empty);
  EXPECT_EQ(Null.Type(), VarType::Null);
  EXPECT_EQ(Variant(std::string_view("x")).Type(), VarType::String);
  EXPECT_EQ(Variant(Date{1}).Type(), VarType::Date);
  EXPECT_TRUE(Variant(Currency{1}).IsNumeric());
  EXPECT_FALSE(Variant(Date{1}).IsNumeric());
  EXPECT_FALSE(Variant("1").IsNumeric());
  EXPECT_TRUE(Variant::FromInt64(2147483647).Identical(Variant(2147483647)));
  EXPECT_TRUE(Variant::FromInt64(2147483648LL).Identical(Variant(2147483648.0)));
  EXPECT_FALSE(Variant(1).Identical(Variant(1.0)));
  EXPECT_FALSE(Variant().Identical(Null));
}
