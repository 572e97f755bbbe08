#include "AsciiImport.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <optional>
#include <set>

#include "AsciiFile.h"
#include "db/Catalog.h"
#include "db/SqlText.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace asciiimport {
namespace {

constexpr const char* kDelimiter = ",";
constexpr const char* kBlankDate = "__/__/____";

// --- Form names ---------------------------------------------------------------------------

// A form name as a rule names it: compared exactly as the file writes it
// ("as read"), or upper-cased.
struct FormKey {
  const char* name;
  bool asRead = false;
};
using Forms = std::vector<FormKey>;
constexpr bool kAsRead = true;

bool Is(const std::string& form, const FormKey& key) {
  if (key.asRead) return form == key.name;
  // The names are ASCII: a name of ASCII letters is compared in place, any
  // other upper-cased as a whole.
  if (std::any_of(form.begin(), form.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }))
    return vb::UCase(form) == key.name;
  const std::string_view name(key.name);
  return form.size() == name.size() && std::equal(form.begin(), form.end(), name.begin(), [](char a, char b) {
           return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
         });
}
bool AnyOf(const std::string& form, const Forms& keys) {
  return std::any_of(keys.begin(), keys.end(), [&](const FormKey& k) { return Is(form, k); });
}

// Tables that travel only as secondary blocks.
const Forms kSecondaryOnly = {{"INFANTFUNDINGALLOCATION"}, {"INFANTFUNDINGTRANSFER"}, {"ATTCSBGCOEADA"}};
// Rows that need not be of the current county.
const Forms kAnyCounty = {{"SENPSLCI"}, {"SECOSTPOOL"}, {"INFANTFUNDING"}};
// The secondary blocks that may follow a main block, in file order, each
// optional; behind any other form the lines after "End" are not read.
struct BlockOrder {
  const char* mainForm;
  std::vector<const char*> blocks;  // upper-cased header names
};
const std::vector<BlockOrder>& BlockOrders() {
  static const std::vector<BlockOrder> orders = {
      {"INFANTFUNDING", {"INFANTFUNDINGALLOCATION", "INFANTFUNDINGTRANSFER"}},
      {"ATTCSBGCOE", {"ATTCSBGCOEADA"}}};
  return orders;
}
// Secondary tables of the whole year, whose rows are of any county.
const Forms kYearLevelBlocks = {{"INFANTFUNDINGALLOCATION"}, {"INFANTFUNDINGTRANSFER"}};

// --- Refusal -------------------------------------------------------------------------------

struct Refusal {
  std::string rule;
  long line;
};
[[noreturn]] void Refuse(std::string rule, long line) { throw Refusal{std::move(rule), line}; }

// --- Values ----------------------------------------------------------------------------------

// A whole number of a field's text; a text that is none refuses the file
// like a broken rule (the caller turns the error into a refusal).
std::int32_t Number(const std::string& text) { return vb::CLng(vb::Variant(text)); }

bool Empty(const vb::Variant& v) { return v.IsNull() || v.IsEmpty(); }
std::string Text(const vb::Variant& v) { return asciifile::ValueText(v); }

// --- Lookups ---------------------------------------------------------------------------------

// Texts as hash keys, looked up without a copy.
struct KeyHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};

// Whether a query finds a row; each distinct query (text and values) runs
// once per check.
class Lookups {
 public:
  explicit Lookups(db::Connection& conn) : conn_(conn) {}
  bool Finds(const db::SqlText& q) {
    // The query's text and values as one key, in a buffer kept between
    // calls: a repeated query costs no allocation.
    key_.assign(q.Sql());
    for (const vb::Variant& p : q.Params()) {
      key_ += '\x1f';
      key_ += std::to_string(static_cast<int>(p.Type()));
      key_ += ':';
      key_ += p.IsString() ? p.AsString() : Text(p);
    }
    const auto known = answers_.find(std::string_view(key_));
    if (known != answers_.end()) return known->second;
    const vb::Variant exists = conn_.Scalar("SELECT EXISTS (" + q.Sql() + ")", q.Params());
    const bool found = !Empty(exists) && vb::CLng(exists) != 0;
    answers_.emplace(key_, found);
    return found;
  }

 private:
  db::Connection& conn_;
  std::string key_;
  std::unordered_map<std::string, bool, KeyHash, std::equal_to<>> answers_;
};

db::SqlText Leas(std::string_view where) {
  db::SqlText q;
  q << "SELECT 1 FROM KRN_LEAS WHERE " << where;
  return q;
}
db::Param P(const vb::Variant& v) { return db::Param(v); }

// --- The check's working state -----------------------------------------------------------------

// The numbers the column checks keep from one column for a later one.
struct Kept {
  std::int32_t district = 0;
  std::int32_t resCounty = 0;
  std::int32_t resDistrict = 0;
  friend bool operator==(const Kept&, const Kept&) = default;
};
constexpr unsigned kKeptDistrict = 1, kKeptResCounty = 2, kKeptResDistrict = 4;
// The numbers of `from` that `which` names, the others those of `to`.
Kept KeptOf(const Kept& from, unsigned which, Kept to = {}) {
  if (which & kKeptDistrict) to.district = from.district;
  if (which & kKeptResCounty) to.resCounty = from.resCounty;
  if (which & kKeptResDistrict) to.resDistrict = from.resDistrict;
  return to;
}

struct Check {
  const Scope& scope;
  Lookups lookups;
  std::string form;  // as read
  std::vector<std::string> columns;
  std::set<std::string> key;  // primary-key columns
  db::RecordsetPtr rows;
  std::vector<long> rowLines;  // the file line of each row
  // Numbers kept from one column for a later one of the same line.
  std::int32_t keptDistrict = 0;
  std::int32_t keptResCounty = 0;
  std::int32_t keptResDistrict = 0;
  long line = 0;

  // A field of the current row of `rows` by name, its place found once per
  // row set and name (the row sets are kept, so none is mistaken for
  // another).
  vb::Variant Field(const char* name) {
    for (const FieldPlace& place : fieldPlaces)
      if (place.rows == rows && place.name == name)
        return place.index < 0 ? vb::Variant(vb::NullValue{}) : rows->Value(place.index);
    const int index = rows->FieldIndex(name);
    fieldPlaces.push_back({rows, name, index});
    return index < 0 ? vb::Variant(vb::NullValue{}) : rows->Value(index);
  }
  struct FieldPlace {
    db::RecordsetPtr rows;
    const char* name;
    int index;
  };
  std::vector<FieldPlace> fieldPlaces = {};

  asciiimport::Kept Kept() const { return {keptDistrict, keptResCounty, keptResDistrict}; }
  void Keep(const asciiimport::Kept& k) {
    keptDistrict = k.district;
    keptResCounty = k.resCounty;
    keptResDistrict = k.resDistrict;
  }

  void Require(bool found, const char* rule) const {
    if (!found) Refuse(rule, line);
  }
  bool Finds(const db::SqlText& q) { return lookups.Finds(q); }
};

// --- Column checks of the main block's lines -----------------------------------------------------

struct ColumnCheck {
  const char* rule;
  const char* column;     // the column's name, exact
  const char* upperName;  // or a column whose upper-cased name this is
  Forms forms;
  bool allBut;  // forms names the forms it does not apply to
  // The kept numbers the check reads and those it sets (kKept... bits): a
  // check answers the same, and sets the same, for the same value and the
  // same numbers read.
  unsigned reads;
  unsigned writes;
  std::function<void(Check&, const std::string& value)> run;
};

const Forms kCountyForms = {{"SENPSLCI"}, {"SECOSTPOOL"}, {"INFANTFUNDING"}, {"INFANTFUNDINGALLOCATION"},
                            {"INFANTFUNDINGTRANSFER"}};
const Forms kKeptDistrictForms = {{"SELPAADAALLOC"},           {"SPEDTAXALLOC", kAsRead}, {"BRL_SD_NSES_ADA", kAsRead},
                                  {"BRL_SD_NSHS_ADA", kAsRead}, {"FOSTERYOUTHNSHS"},       {"AttCsACD", kAsRead}};
const Forms kDistrictFillForms = {{"ATT_SD", kAsRead}, {"CS_BA", kAsRead}, {"BRL_SD_CSP_NEW", kAsRead},
                                  {"BRL_SD_NSES_ADA", kAsRead}, {"BRL_SD_NSHS_ADA", kAsRead}};
const Forms kSchoolForms = {{"SELPAADAALLOC"}, {"SPEDTAXALLOC", kAsRead}, {"BRL_SD_NSES_ADA", kAsRead},
                            {"BRL_SD_NSHS_ADA", kAsRead}, {"FOSTERYOUTHNSHS"}};
const Forms kBrlSchoolForms = {{"BRL_SD_NSES_ADA", kAsRead}, {"BRL_SD_NSHS_ADA", kAsRead}};
const Forms kSelpaAllocForms = {{"SELPAADAALLOC"}, {"SPEDTAXALLOC", kAsRead}};
const Forms kResCountyForms = {{"ATT_CS_BG_U"}, {"BASICAID"}, {"TAXMISC"}, {"TAX"}, {"ATTCOECCSE"},
                               {"ATTCOEDISTFUNDADA"}, {"ATTCOECHCCSE"}, {"ATT_SD_BS", kAsRead},
                               {"ATT_SD_SUPP", kAsRead}, {"CS_BA", kAsRead}};
const Forms kResNameForms = {{"TAXMISC"}, {"TAX"}, {"ATTCOECCSE"}, {"ATTCOEDISTFUNDADA"}, {"ATTCOECHCCSE"},
                             {"ATT_SD_BS", kAsRead}, {"ATT_SD_SUPP", kAsRead}, {"CS_BA", kAsRead}};
const Forms kResDistrictForms = {{"ATT_CS_BG_U"}, {"SELPAADAALLOC"}, {"SPEDTAXALLOC", kAsRead}, {"BASICAID"},
                                 {"TAXMISC"}, {"TAX"}, {"ATTCOECCSE"}, {"ATTCOEDISTFUNDADA"}, {"ATTCOECHCCSE"},
                                 {"ATT_SD_BS", kAsRead}, {"ATT_SD_SUPP", kAsRead}, {"CS_BA", kAsRead}};
const FormKey kSupp{"ATT_SD_SUPP", kAsRead};
constexpr const char* kOpen = " AND STAT_TYPE = 'OPEN'";

// The open district of the value in the current county, with an ending.
db::SqlText District(const Check& c, const std::string& value, std::string_view ending) {
  db::SqlText q = Leas("SCHOOL_DISTRICT_ID = ");
  q << P(Number(value)) << " AND FISCAL_YEAR = " << P(c.scope.ReportYear) << " AND COUNTY_ID = "
    << P(c.scope.CountyID) << kOpen << ending;
  return q;
}

const std::vector<ColumnCheck>& ColumnChecks() {
  static const std::vector<ColumnCheck> checks = {
      {"6.1", "COUNTY_ID", nullptr, kCountyForms, true, 0, 0,
       [](Check& c, const std::string&) {
         db::SqlText q = Leas("LEA_TYPE = 2 AND COUNTY_ID = ");
         q << P(c.scope.CountyID) << " AND FISCAL_YEAR = " << P(c.scope.ReportYear) << kOpen;
         c.Require(c.Finds(q), "6.1");
       }},
      {"6.2.1", "SCHOOL_DISTRICT_ID", nullptr, kCountyForms, true, 0, 0,
       [](Check& c, const std::string& v) {
         c.Require(c.Finds(District(c, v, Is(c.form, kSupp) ? " AND EXCEPTION_ATT_SUPP = -1" : "")), "6.2.1");
       }},
      {"6.2.2", "SCHOOL_DISTRICT_ID", nullptr, kCountyForms, true, 0, 0,
       [](Check& c, const std::string& v) {
         if (c.Finds(District(c, v, " AND CS_BA_CHARTER_FILL_BY_DIST = -1")) && !AnyOf(c.form, kDistrictFillForms))
           Refuse("6.2.2", c.line);
       }},
      {"6.2.3", "SCHOOL_DISTRICT_ID", nullptr, {{"ATT_SD_BS", kAsRead}}, false, 0, 0,
       [](Check& c, const std::string& v) {
         c.Require(c.Finds(District(c, v, " AND IS_BASIC_AID_CHOICE <> 0")), "6.2.3");
       }},
      {"6.2.4", "SCHOOL_DISTRICT_ID", nullptr, kKeptDistrictForms, false, 0, kKeptDistrict,
       [](Check& c, const std::string& v) {
         c.Require(c.Finds(District(c, v, "")), "6.2.4");
         c.keptDistrict = Number(v);
       }},
      {"6.3", "SCHOOL_ID", nullptr, {{"AttCsACD", kAsRead}}, false, kKeptDistrict, 0,
       [](Check& c, const std::string& v) {
         db::SqlText q = Leas("SCHOOL_DISTRICT_ID = ");
         q << P(c.scope.LogonUserGroup == 3 ? c.scope.DistrictID : c.keptDistrict) << " AND SCHOOL_ID = "
           << P(Number(v)) << " AND FISCAL_YEAR = " << P(c.scope.ReportYear) << " AND COUNTY_ID = "
           << P(c.scope.CountyID) << kOpen;
         c.Require(c.Finds(q), "6.3");
       }},
      {"6.4", "SCHOOL_ID", nullptr, kSchoolForms, false, kKeptDistrict, 0,
       [](Check& c, const std::string& v) {
         // A district user's schools; every other group is asked as a
         // county office is.
         std::string kind = " AND LEA_TYPE = 4 AND CHARTER_ID = 'N'";
         if (AnyOf(c.form, kBrlSchoolForms))
           kind += " AND EXCEPTION_SD_SCH_2501 = -1";
         else if (c.scope.LogonUserGroup != 3 && AnyOf(c.form, kSelpaAllocForms))
           kind = " AND LEA_TYPE = 5";
         db::SqlText q = Leas("FISCAL_YEAR = ");
         q << P(c.scope.ReportYear) << " AND COUNTY_ID = " << P(c.scope.CountyID) << kind << kOpen
           << " AND SCHOOL_DISTRICT_ID = " << P(c.keptDistrict) << " AND SCHOOL_ID = " << P(Number(v));
         c.Require(c.Finds(q), "6.4");
       }},
      {"6.5", "RES_COUNTY_ID", nullptr, kResCountyForms, false, 0, kKeptResCounty,
       [](Check& c, const std::string& v) {
         db::SqlText q = Leas("FISCAL_YEAR = ");
         q << P(c.scope.ReportYear) << " AND COUNTY_ID = " << P(Number(v)) << kOpen
           << (Is(c.form, kSupp) ? " AND EXCEPTION_ATT_SUPP_LIST = -1" : "");
         c.Require(c.Finds(q), "6.5");
         c.keptResCounty = Number(v);
       }},
      {"6.6", "RES_COUNTY_NAME", "RESCOUNTYNAME", kResNameForms, false, kKeptResCounty, 0,
       [](Check& c, const std::string& v) {
         db::SqlText q = Leas("SCHOOL_ID = 0 AND FISCAL_YEAR = ");
         q << P(c.scope.ReportYear) << " AND COUNTY_ID = " << P(c.keptResCounty) << " AND COUNTY_NAME = " << P(v)
           << kOpen << (Is(c.form, kSupp) ? " AND EXCEPTION_ATT_SUPP_LIST = -1" : "");
         c.Require(c.Finds(q), "6.6");
       }},
      {"6.7", "RES_SCHOOL_DISTRICT_ID", nullptr, kResDistrictForms, false, kKeptResCounty, kKeptResDistrict,
       [](Check& c, const std::string& v) {
         db::SqlText q = Leas("FISCAL_YEAR = ");
         if (AnyOf(c.form, kSelpaAllocForms))
           q << P(c.scope.ReportYear) << " AND COUNTY_ID = " << P(c.scope.CountyID) << " AND LEA_TYPE = 5";
         else
           q << P(c.scope.ReportYear) << " AND SCHOOL_ID = 0 AND COUNTY_ID = " << P(c.keptResCounty);
         q << kOpen << " AND SCHOOL_DISTRICT_ID = " << P(Number(v))
           << (Is(c.form, kSupp) ? " AND EXCEPTION_ATT_SUPP_LIST = -1" : "");
         c.Require(c.Finds(q), "6.7");
         c.keptResDistrict = Number(v);
       }},
      {"6.8", "RES_SCHOOL_DISTRICT_NAME", "RESSCHOOLDISTNAME", kResNameForms, false, kKeptResDistrict, 0,
       [](Check& c, const std::string& v) {
         db::SqlText q = Leas("SCHOOL_DISTRICT_ID = ");
         q << P(c.keptResDistrict) << " AND SCHOOL_ID = 0 AND FISCAL_YEAR = " << P(c.scope.ReportYear) << kOpen
           << " AND SCHOOL_DISTRICT_NAME = " << P(v) << (Is(c.form, kSupp) ? " AND EXCEPTION_ATT_SUPP_LIST = -1" : "");
         c.Require(c.Finds(q), "6.8");
       }},
  };
  return checks;
}

bool Applies(const ColumnCheck& check, const std::string& column, const std::string& form) {
  const bool named = column == check.column || (check.upperName && vb::UCase(column) == check.upperName);
  return named && AnyOf(form, check.forms) != check.allBut;
}

// Fields whose text takes the date rule, by form: empty, the blank mask or
// a date.
struct DateFields {
  Forms forms;
  std::vector<const char*> fields;  // upper-cased
};
const std::vector<DateFields>& DateRules() {
  static const std::vector<DateFields> rules = {
      {{{"ATT_CS_BG_U"}, {"ATTCSBGCOE"}, {"ATTCSSBC"}, {"ATTCSEHS"}}, {"DATER"}},
      {{{"SECOSTPOOL"}, {"SELPAMENTALHEALTH"}}, {"STUDENTBIRTHDATE", "STUDENTPLACEMENTDATE"}},
  };
  return rules;
}
bool TakesDateRule(const std::string& form, const std::string& column) {
  const std::string upper = vb::UCase(column);
  for (const DateFields& rule : DateRules())
    if (AnyOf(form, rule.forms) && std::find_if(rule.fields.begin(), rule.fields.end(), [&](const char* f) {
                                     return upper == f;
                                   }) != rule.fields.end())
      return true;
  return false;
}

// --- Loading lines into a row set ----------------------------------------------------------------

// An empty row set of the table's shape, disconnected: nothing added to it
// can reach the database.
db::RecordsetPtr EmptyRows(db::Connection& conn, const std::string& table) {
  const db::RecordsetPtr rows = db::Recordset::Query(
      "SELECT * FROM " + db::catalog::RequireSqlName(conn, table) + " WHERE 1 <> 1", conn.shared_from_this());
  rows->ActiveConnection(nullptr);
  return rows;
}

// Adds the payload's fields as a row; `take` answers for each column and
// its value whether the value is stored.
bool BlankText(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// Adds the payload's fields as a row; `take` answers for each column and
// its value whether the value is stored. The fields are those GetColValue
// answers, split in one pass: a field that is missing or empty leaves its
// column empty. The row set holds the columns in table order.
void AddRow(db::Recordset& rows, const std::vector<std::string>& columns, const std::string& payload,
            const std::function<bool(std::size_t, const std::string&)>& take) {
  rows.AddNew();
  if (!BlankText(payload)) {
    std::size_t start = 0;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      const std::size_t at = payload.find(*kDelimiter, start);
      std::string field = payload.substr(start, at == std::string::npos ? std::string::npos : at - start);
      if (!field.empty() && take(k, field)) rows.SetValue(static_cast<int>(k), vb::Variant(std::move(field)));
      if (at == std::string::npos) break;
      start = at + 1;
    }
  }
  rows.Update();
}

// --- Main-block rules on whole rows ----------------------------------------------------------------

// A present value that differs from a number.
bool Differs(const vb::Variant& v, double number) { return !Empty(v) && vb::CDbl(v) != number; }
bool NoneOf(const vb::Variant& v, std::initializer_list<double> numbers) {
  if (Empty(v)) return false;
  const double d = vb::CDbl(v);
  return std::find(numbers.begin(), numbers.end(), d) == numbers.end();
}
std::string Trimmed(const vb::Variant& v) { return vb::Trim(Text(v)); }

// The district pass of BRL_SD_CSP_NEW: grades and full periods, and a
// district whose rows are all of grade S must be an open small district.
void DistrictPass(Check& c) {
  std::set<std::int32_t> districts;
  for (c.rows->MoveFirst(); !c.rows->Eof(); c.rows->MoveNext())
    districts.insert(vb::CLng(c.rows->Value("SCHOOL_DISTRICT_ID")));
  for (std::int32_t d : districts) {
    long sRows = 0, otherRows = 0;
    long index = 0;
    for (c.rows->MoveFirst(); !c.rows->Eof(); c.rows->MoveNext(), ++index) {
      c.line = c.rowLines[static_cast<std::size_t>(index)];
      const vb::Variant grade = c.Field("GRADE");
      const std::string g = Text(grade);
      if (!Empty(grade) && g != "O" && g != "K" && g != "F" && g != "S") Refuse("7 grade", c.line);
      if (NoneOf(c.Field("FULL_PERIOD"), {0, 1})) Refuse("7 full period", c.line);
      if (vb::CLng(c.rows->Value("SCHOOL_DISTRICT_ID")) != d || Empty(grade)) continue;
      ++(g == "S" ? sRows : otherRows);
    }
    db::SqlText q = Leas("LEA_TYPE = 3 AND SMALL_DISTRICT = -1 AND SCHOOL_DISTRICT_ID = ");
    q << P(d) << " AND FISCAL_YEAR = " << P(c.scope.ReportYear) << " AND COUNTY_ID = " << P(c.scope.CountyID) << kOpen;
    if (sRows > 0 && otherRows == 0 && !c.Finds(q)) Refuse("7 small district", 0);
  }
}

// Forms without the row tests of the form.
const Forms kNoRowTests = {{"AICF", kAsRead}, {"BRL_SD_CSP_NEW", kAsRead}, {"BASICAID"}, {"ATTCOEDISTFUNDADA"},
                           {"SDVORNESTDATAAUDITADJ"}, {"FOSTERYOUTHNSHS"}, {"COUNTYLCFFADJUSTMENTS"},
                           {"COUNTYVORNESTDATAADJ"}, {"CHARTERVORNESTDATAADJ"}, {"CHARTERPHYSICALLOCATION"},
                           {"CHARTERVORNESTDATAAUDITADJ"}, {"COUNTYVORNESTDATAAUDITADJ"}, {"SENPSLCI"},
                           {"SECOSTPOOL"}, {"SELPAMENTALHEALTH"}, {"INFANTFUNDINGALLOCATION"},
                           {"INFANTFUNDINGTRANSFER"}};

// The row tests of a form, on every row whatever its column types.
void RowTests(Check& c) {
  if (Is(c.form, {"TAX"})) {
    const vb::Variant type = c.Field("TAXTYPE");
    if (NoneOf(type, {0, 1})) Refuse("8 tax type", c.line);
    const vb::Variant res = c.Field("RES_SCHOOL_DISTRICT_ID");
    if (!Empty(type) && !Empty(res)) {
      const bool countyOffice = vb::Val(vb::Left(Text(res), 2)) == 10;
      if (vb::CDbl(type) == 1 && countyOffice) Refuse("8 tax type 1 residence", c.line);
      if (vb::CDbl(type) == 0 && !countyOffice) Refuse("8 tax type 0 residence", c.line);
    }
  }
  if (Is(c.form, {"ATT_CS_BG_U"})) {
    if (NoneOf(c.Field("TYPE"), {1, 2, 11})) Refuse("8 type", c.line);
    if (NoneOf(c.Field("FORM_NO"), {43, 45})) Refuse("8 form number", c.line);
  }
  if (Is(c.form, {"EDS_CS", kAsRead}) && NoneOf(c.Field("PERIOD_ID"), {1, 2})) Refuse("8 period", c.line);
  if (Is(c.form, {"TAXMISC"}) && Differs(c.Field("PERIOD_ID"), 3)) Refuse("8 period", c.line);
}

// The class-size, grade and fraction rules of BRL_SD_CSP_NEW on one row.
void ClassRules(Check& c) {
  const vb::Variant grade = c.Field("GRADE");
  const std::string g = Text(grade);
  const bool notF = !Empty(grade) && g != "F";
  const std::string size = Trimmed(c.Field("AVG_CLASS_ENROLL_SIZE"));
  if (size.size() > (notF ? 2u : 7u)) Refuse("9 class size", c.line);
  if (!Empty(grade) && g != "S" && Differs(c.Field("SCHOOL_ID"), 0) && vb::CDbl(c.Field("SCHOOL_ID")) > 0)
    Refuse("9 grade school", c.line);
  if (Trimmed(c.Field("NO_CLASSES_SIZE")).size() > 4) Refuse("9 classes", c.line);
  const vb::Variant fraction = c.Field("FRACTION_IN_SESSION");
  if (!Empty(fraction)) {
    const std::string text = Text(fraction);
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string digits = point == std::string::npos ? "" : text.substr(point + 1);
    const vb::Variant full = c.Field("FULL_PERIOD");
    if (notF) {
      if (!Empty(full) && vb::CDbl(full) == 1 && point != std::string::npos && vb::Val(whole) > 0)
        Refuse("9 fraction", c.line);
      if (!Empty(full) && vb::CDbl(full) == 0) {
        if (point != std::string::npos && (vb::Val(whole) > 1 || vb::Val(digits) > 0)) Refuse("9 fraction", c.line);
        if (point == std::string::npos && vb::Val(vb::Trim(text)) > 1) Refuse("9 fraction", c.line);
      }
    } else if ((point != std::string::npos ? whole : vb::Trim(text)).size() > 7) {
      Refuse("9 fraction", c.line);
    }
  }
  if (Differs(c.Field("PERIOD_ID"), 2)) Refuse("9 period", c.line);
}

// A field a lookup needs; an empty one refuses the file.
vb::Variant Needed(Check& c, const char* name) {
  const vb::Variant v = c.Field(name);
  if (Empty(v)) Refuse(std::string("empty ") + name, c.line);
  return v;
}
std::string NeededText(Check& c, const char* name) { return vb::Trim(Text(Needed(c, name))); }

db::SqlText AgencyOfRow(Check& c, std::string_view tail) {
  db::SqlText q = Leas("SCHOOL_DISTRICT_ID = ");
  q << P(Needed(c, "SCHOOL_DISTRICT_ID")) << " AND SCHOOL_ID = " << P(Needed(c, "SCHOOL_ID")) << " AND FISCAL_YEAR = "
    << P(c.scope.ReportYear) << kOpen << " AND COUNTY_ID = " << P(Needed(c, "COUNTY_ID")) << tail;
  return q;
}
void LookupA(Check& c) {
  db::SqlText q = AgencyOfRow(c, " AND AU_COUNTY = ");
  q << P(Needed(c, "SELPALOCATION"));
  c.Require(c.Finds(q), "10 lookup A");
}
void Provider(Check& c, const char* table, const char* codeColumn, const char* nameColumn, const char* code,
              const char* name, const char* rule) {
  db::SqlText q;
  q << "SELECT 1 FROM " << table << " WHERE " << codeColumn << " = " << P(NeededText(c, code)) << " AND "
    << nameColumn << " = " << P(NeededText(c, name));
  c.Require(c.Finds(q), rule);
}

// The rules of each form on one row, in order.
struct FormRules {
  Forms forms;
  std::function<void(Check&)> run;
};
const std::vector<FormRules>& RowRules() {
  static const std::vector<FormRules> rules = {
      {{{"SECOSTPOOL"}},
       [](Check& c) {
         LookupA(c);
         Provider(c, "KRNNPS", "NPSCODE", "NPSNAME", "LICENSENUMBER", "NAME", "10 lookup N1");
         const vb::Variant added = c.Field("USERADDED");
         if (Empty(added) || vb::CDbl(added) != 0) Refuse("10 USERADDED", c.line);
       }},
      {{{"SELPAMENTALHEALTH"}}, [](Check& c) { LookupA(c); }},
      {{{"SENPSLCI"}},
       [](Check& c) {
         LookupA(c);
         const vb::Variant type = c.Field("NPSNPATYPEID");
         if (Empty(type)) return;
         if (vb::CDbl(type) == 0) Provider(c, "KRNNPS", "NPSCODE", "NPSNAME", "CODE", "NAME", "10 lookup N2");
         if (vb::CDbl(type) == 1) {
           Provider(c, "KRNNPA", "NPACODE", "npaNAME", "CODE", "NAME", "10 lookup N3");
           Provider(c, "KRNLCI", "lcilicensenumber", "lciNAME", "lcilicensenumber", "lciNAME", "10 lookup N4");
         }
       }},
      {{{"INFANTFUNDING"}},
       [](Check& c) { c.Require(c.Finds(AgencyOfRow(c, " AND LEA_TYPE = 5 AND INFANTPROGRAM = -1")), "10 lookup B"); }},
      {{{"SELPAADAALLOC"}, {"SPEDTAXALLOC"}},
       [](Check& c) {
         db::SqlText q = Leas("LEA_TYPE = 5 AND SELPA_NAME = ");
         q << P(NeededText(c, "RESSCHOOLDISTNAME")) << " AND COUNTY_ID = " << P(Needed(c, "COUNTY_ID"))
           << " AND SCHOOL_ID = " << P(Needed(c, "SCHOOL_ID")) << " AND SCHOOL_DISTRICT_ID = "
           << P(Needed(c, "RES_SCHOOL_DISTRICT_ID")) << " AND FISCAL_YEAR = " << P(c.scope.ReportYear) << kOpen;
         c.Require(c.Finds(q), "10 lookup C");
       }},
  };
  return rules;
}

// What of the rules on whole rows applies to the form, found once per file.
struct RowRulesOfForm {
  bool rowTests = false;
  bool classRules = false;
  bool anyCounty = false;
  const FormRules* formRules = nullptr;
  explicit RowRulesOfForm(const std::string& form)
      : rowTests(!AnyOf(form, kNoRowTests)),
        classRules(Is(form, {"BRL_SD_CSP_NEW", kAsRead})),
        anyCounty(AnyOf(form, kAnyCounty)) {
    for (const FormRules& rules : RowRules())
      if (AnyOf(form, rules.forms)) {
        formRules = &rules;
        break;
      }
  }
};

// The rules on the current row: the row tests, the class rules, the period,
// year and county, and the rules of the form.
void RowPass(Check& c, const RowRulesOfForm& applies) {
  if (applies.rowTests) RowTests(c);
  if (applies.classRules) ClassRules(c);
  if (Differs(c.Field("PERIOD_ID"), c.scope.ReportPeriod) || Differs(c.Field("FISCAL_YEAR"), c.scope.ReportYear))
    Refuse("10 period and year", c.line);
  if (!applies.anyCounty && Differs(c.Field("COUNTY_ID"), c.scope.CountyID)) Refuse("10 county", c.line);
  if (applies.formRules) applies.formRules->run(c);
}

// --- Secondary blocks ------------------------------------------------------------------------------

// Checks the block that starts at line `next` (its header); answers its
// header name upper-cased and leaves `next` after the block.
std::string CheckBlock(Check& c, const std::vector<std::string>& lines, std::size_t& next,
                       const std::vector<const char*>& expected) {
  db::Connection& conn = *c.scope.conn;
  c.line = static_cast<long>(next + 1);
  const std::string table = asciifile::TableNameOf(lines[next]);
  const std::string upper = vb::UCase(table);
  if (std::find_if(expected.begin(), expected.end(), [&](const char* e) { return upper == e; }) == expected.end())
    Refuse("11 block name", c.line);
  const std::vector<std::string> columns = db::catalog::ColumnNames(conn, table);
  if (columns.empty()) Refuse("11 block table", c.line);
  const db::RecordsetPtr rows = EmptyRows(conn, table);
  std::vector<long> rowLines;
  for (++next; next < lines.size(); ++next) {
    c.line = static_cast<long>(next + 1);
    const std::string payload = asciifile::Payload(lines[next]);
    if (payload == asciifile::kEndLine) {
      ++next;
      break;
    }
    if (BlankText(payload)) Refuse("11 blank line", c.line);
    if (asciifile::CountColumns(payload, kDelimiter) != static_cast<long>(columns.size()))
      Refuse("11 field count", c.line);
    AddRow(*rows, columns, payload, [&](std::size_t k, const std::string&) { return vb::UCase(columns[k]) != "CERT_KEY"; });
    rowLines.push_back(c.line);
  }
  const bool yearLevel = AnyOf(table, kYearLevelBlocks);
  long index = 0;
  for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext(), ++index) {
    c.line = rowLines[static_cast<std::size_t>(index)];
    const db::RecordsetPtr saved = c.rows;
    c.rows = rows;
    if (Differs(c.Field("PERIOD_ID"), c.scope.ReportPeriod) ||
        Differs(c.Field("FISCAL_YEAR"), c.scope.ReportYear))
      Refuse("11 period and year", c.line);
    if (!yearLevel && Differs(c.Field("COUNTY_ID"), c.scope.CountyID)) Refuse("11 county", c.line);
    if (upper == "INFANTFUNDINGTRANSFER") {
      db::SqlText au = Leas("LEA_TYPE = 5 AND SCHOOL_DISTRICT_NAME = ");
      au << P(NeededText(c, "SELPAAUNAME")) << " AND SCHOOL_ID = " << P(Needed(c, "SELPAAUSCHOOLID"))
         << " AND SCHOOL_DISTRICT_ID = " << P(Needed(c, "SELPAAU")) << " AND FISCAL_YEAR = " << P(c.scope.ReportYear)
         << kOpen;
      c.Require(c.Finds(au), "11 transfer unit");
      db::SqlText district = Leas("SCHOOL_DISTRICT_NAME = ");
      district << P(NeededText(c, "SELPADISTRICTNAME")) << " AND SCHOOL_ID = " << P(Needed(c, "SELPADISTSCHOOLID"))
               << " AND SCHOOL_DISTRICT_ID = " << P(Needed(c, "SELPADIST")) << " AND FISCAL_YEAR = "
               << P(c.scope.ReportYear) << kOpen;
      c.Require(c.Finds(district), "11 transfer district");
    }
    if (upper == "INFANTFUNDINGALLOCATION") {
      db::SqlText q = Leas("SCHOOL_ID = ");
      q << P(Needed(c, "SELPAAUDISTSCHOOLID")) << " AND SCHOOL_DISTRICT_ID = " << P(Needed(c, "SELPAAUDIST"))
        << " AND FISCAL_YEAR = " << P(c.scope.ReportYear) << kOpen << " AND ALLOCATIONPROGRAM = -1";
      c.Require(c.Finds(q), "11 allocation unit");
    }
    db::SqlText agency = Leas("COUNTY_ID = ");
    agency << P(Needed(c, "COUNTY_ID")) << " AND SCHOOL_ID = " << P(Needed(c, "SCHOOL_ID"))
           << " AND SCHOOL_DISTRICT_ID = " << P(Needed(c, "SCHOOL_DISTRICT_ID")) << " AND FISCAL_YEAR = "
           << P(c.scope.ReportYear) << kOpen;
    c.Require(c.Finds(agency), "11 agency");
    if (upper == "ATTCSBGCOEADA") {
      db::SqlText q = Leas("COUNTY_ID = ");
      q << P(Needed(c, "RES_COUNTY_ID")) << " AND SCHOOL_DISTRICT_ID = " << P(Needed(c, "RES_SCHOOL_DISTRICT_ID"))
        << " AND FISCAL_YEAR = " << P(c.scope.ReportYear) << kOpen;
      c.Require(c.Finds(q), "11 residence");
    }
    // Every number but the row key keeps at most seven characters before
    // its point.
    for (int i = 0; i < rows->FieldCount(); ++i) {
      const vb::Variant v = rows->Value(i);
      if (Empty(v) || !v.IsNumeric() || v.Type() == vb::VarType::Boolean ||
          vb::UCase(rows->FieldInfo(i).name) == "CERT_KEY")
        continue;
      const std::string text = Text(v);
      if (text.substr(0, text.find('.')).size() > 7) Refuse("11 number size", c.line);
    }
    if (upper == "INFANTFUNDINGTRANSFER" && NoneOf(c.Field("TRTYPE"), {1, 2})) Refuse("11 transfer type", c.line);
    c.rows = saved;
  }
  return upper;
}

void Blocks(Check& c, const std::vector<std::string>& lines, std::size_t next, Verdict& verdict) {
  const BlockOrder* order = nullptr;
  for (const BlockOrder& o : BlockOrders())
    if (vb::UCase(c.form) == o.mainForm) order = &o;
  if (!order) return;  // what follows "End" is not read
  std::vector<const char*> expected = order->blocks;
  while (next < lines.size()) {
    if (BlankText(lines[next]) &&
        std::all_of(lines.begin() + static_cast<long>(next), lines.end(), [](const std::string& l) { return BlankText(l); }))
      return;  // blank lines at the end of the file
    if (expected.empty()) Refuse("11 extra block", static_cast<long>(next + 1));
    const std::string block = CheckBlock(c, lines, next, expected);
    // A block may be left out, never repeated or put out of order.
    expected.erase(expected.begin(),
                   std::find_if(expected.begin(), expected.end(), [&](const char* e) { return block == e; }) + 1);
    if (block == "INFANTFUNDINGALLOCATION") verdict.allocationBlock = true;
    if (block == "INFANTFUNDINGTRANSFER") verdict.transferBlock = true;
    if (block == "ATTCSBGCOEADA") verdict.adaBlock = true;
  }
}

// --- The whole check -------------------------------------------------------------------------------

void RunCheck(Check& c, const std::vector<std::string>& lines, Verdict& verdict) {
  db::Connection& conn = *c.scope.conn;
  c.line = 1;
  if (lines.empty()) Refuse("empty file", 0);
  if (lines[0].find(',') == std::string::npos) Refuse("first line", 1);
  c.form = asciifile::TableNameOf(lines[0]);
  verdict.formName = c.form;
  if (AnyOf(c.form, kSecondaryOnly)) Refuse("2 secondary table", 1);
  // Only a catalogue form whose table exists.
  db::SqlText known;
  known << "SELECT 1 FROM VHO_TORB_FORMS WHERE FORM_NAME = " << P(c.form);
  const std::string table = StorageTable(c.form);
  if (!c.Finds(known) || !db::catalog::TableExists(conn, table)) Refuse("3 form", 1);
  c.columns = db::catalog::ColumnNames(conn, table);
  if (c.columns.empty()) Refuse("3 form", 1);
  for (const std::string& k : db::catalog::PrimaryKey(conn, table)) c.key.insert(vb::UCase(k));
  c.rows = EmptyRows(conn, table);

  // What each column takes, found once for the form: whether it is a key
  // column or the row key, its column checks in order and the date rule.
  struct ColumnRules {
    bool key = false;
    bool certKey = false;
    bool dateRule = false;
    std::vector<const ColumnCheck*> checks;
    // The kept numbers its checks read and set, and the values (with the
    // numbers read) whose checks passed, with the numbers they set: a
    // repeated value is not checked again.
    unsigned reads = 0;
    unsigned writes = 0;
    std::unordered_map<std::string, Kept, KeyHash, std::equal_to<>> passed;
    // The last value that passed, with the numbers read and set: the
    // lines of one agency repeat their values.
    bool hasLast = false;
    std::string lastValue;
    Kept lastRead, lastSet;
  };
  std::vector<ColumnRules> rules(c.columns.size());
  for (std::size_t k = 0; k < c.columns.size(); ++k) {
    const std::string& column = c.columns[k];
    rules[k].key = c.key.count(vb::UCase(column)) > 0;
    rules[k].certKey = vb::UCase(column) == "CERT_KEY";
    rules[k].dateRule = TakesDateRule(c.form, column);
    for (const ColumnCheck& check : ColumnChecks())
      if (Applies(check, column, c.form)) {
        rules[k].checks.push_back(&check);
        rules[k].reads |= check.reads;
        rules[k].writes |= check.writes;
      }
  }
  const bool spedTaxAlloc = Is(c.form, {"SPEDTAXALLOC"});
  std::string passedKey;  // a value and the kept numbers, in a buffer kept between rows
  const RowRulesOfForm rowRules(c.form);
  const bool districtPass = Is(c.form, {"BRL_SD_CSP_NEW", kAsRead});

  std::size_t next = 1;
  for (; next < lines.size(); ++next) {
    c.line = static_cast<long>(next + 1);
    const std::string payload = asciifile::Payload(lines[next]);
    if (payload == asciifile::kEndLine) {
      ++next;
      break;
    }
    if (BlankText(payload)) Refuse("5.3 blank line", c.line);
    if (asciifile::CountColumns(payload, kDelimiter) != static_cast<long>(c.columns.size()))
      Refuse("5.4 field count", c.line);
    if (spedTaxAlloc && c.scope.LogonUserGroup == 7) Refuse("5.5", c.line);
    // The fields are as many as the columns here, each found between its
    // delimiters.
    std::size_t start = 0;
    for (std::size_t k = 0; k < c.columns.size(); ++k) {
      const std::size_t end = std::min(payload.find(*kDelimiter, start), payload.size());
      if (end == start && rules[k].key) Refuse("empty key", c.line);
      start = end + 1;
    }
    AddRow(*c.rows, c.columns, payload, [&](std::size_t k, const std::string& value) {
      ColumnRules& column = rules[k];
      if (column.certKey) return false;
      if (!column.checks.empty()) {
        const Kept read = KeptOf(c.Kept(), column.reads);
        if (!column.hasLast || read != column.lastRead || value != column.lastValue) {
          passedKey.assign(value);
          passedKey.append(reinterpret_cast<const char*>(&read), sizeof read);
          const auto known = column.passed.find(std::string_view(passedKey));
          if (known == column.passed.end()) {
            for (const ColumnCheck* check : column.checks) check->run(c, value);
            column.passed.emplace(passedKey, c.Kept());
            column.lastSet = c.Kept();
          } else {
            column.lastSet = known->second;
          }
          column.hasLast = true;
          column.lastValue = value;
          column.lastRead = read;
        }
        c.Keep(KeptOf(column.lastSet, column.writes, c.Kept()));
      }
      if (column.dateRule) {
        if (value == kBlankDate) return false;
        if (!vb::IsDate(vb::Variant(value))) Refuse("10 date", c.line);
      }
      return true;
    });
    c.rowLines.push_back(c.line);
    // The rules on whole rows run on each row as it is added, while it is
    // at hand; those of BRL_SD_CSP_NEW wait for its district pass over every
    // row. Either way the file is refused at its first broken rule, with
    // the one import-criteria message.
    if (!districtPass) RowPass(c, rowRules);
    if (c.scope.pump) c.scope.pump();
  }

  if (districtPass) {
    DistrictPass(c);
    long index = 0;
    for (c.rows->MoveFirst(); !c.rows->Eof(); c.rows->MoveNext(), ++index) {
      c.line = c.rowLines[static_cast<std::size_t>(index)];
      RowPass(c, rowRules);
      if (c.scope.pump) c.scope.pump();
    }
  }
  verdict.blocksFrom = next;
  Blocks(c, lines, next, verdict);
  verdict.rows = c.rows;
  if (verdict.rows->RecordCount() > 0) verdict.rows->MoveFirst();
}

}  // namespace

const std::string& ImportFailureMessage() {
  static const std::string message =
      "The file selected for import failed due to one or more of the following import criteria: \r\n"
      "1. Invalid LEA / Charter / Period has been selected\r\n"
      "2. Insufficient information in the import file\r\n"
      "3. Corrupted Data in the import file\r\n";
  return message;
}

std::string StorageTable(const std::string& formName) {
  const std::string upper = vb::UCase(formName);
  return upper == "ATTCSSBC" || upper == "ATTCSEHS" ? "ATTCSBGCOE" : formName;
}

Verdict ValidateImportFile(const std::vector<std::string>& lines, const Scope& scope) {
  Verdict verdict;
  Check c{scope, Lookups(vb::Deref(scope.conn.get())), {}, {}, {}, {}, {}};
  try {
    RunCheck(c, lines, verdict);
    verdict.accepted = true;
  } catch (const Refusal& r) {
    verdict.rule = r.rule;
    verdict.line = r.line;
  } catch (const vb::VbError& e) {
    // A value that is no number where one is needed, or that its column
    // cannot hold, refuses the file like a broken rule.
    verdict.rule = "error " + std::to_string(e.Number()) + ": " + e.Description();
    verdict.line = c.line;
  }
  if (!verdict.accepted) {
    verdict.allocationBlock = verdict.transferBlock = verdict.adaBlock = false;
    verdict.rows.reset();
    verdict.blocksFrom = 0;
  }
  return verdict;
}

db::RecordsetPtr LoadImportRows(const std::vector<std::string>& lines, db::Connection& conn, std::size_t& next) {
  if (lines.empty()) vb::Raise(vb::err::InvalidProcedureCall, "The import file is empty.");
  const std::string table = StorageTable(asciifile::TableNameOf(lines[0]));
  const std::vector<std::string> columns = db::catalog::ColumnNames(conn, table);
  const db::RecordsetPtr rows = EmptyRows(conn, table);
  for (next = 1; next < lines.size(); ++next) {
    const std::string payload = asciifile::Payload(lines[next]);
    if (payload == asciifile::kEndLine) {
      ++next;
      break;
    }
    if (BlankText(payload)) continue;
    AddRow(*rows, columns, payload, [&](std::size_t k, const std::string& value) {
      return !(value == kBlankDate && TakesDateRule(asciifile::TableNameOf(lines[0]), columns[k]));
    });
  }
  if (rows->RecordCount() > 0) rows->MoveFirst();
  return rows;
}

db::RecordsetPtr LoadSecondaryBlock(const std::vector<std::string>& lines, db::Connection& conn, std::size_t& next,
                                    std::string& table) {
  if (next >= lines.size()) vb::Raise(vb::err::InvalidProcedureCall, "The import file holds no further block.");
  table = asciifile::TableNameOf(lines[next]);
  const std::vector<std::string> columns = db::catalog::ColumnNames(conn, table);
  const db::RecordsetPtr rows = EmptyRows(conn, table);
  for (++next; next < lines.size(); ++next) {
    const std::string payload = asciifile::Payload(lines[next]);
    if (payload == asciifile::kEndLine || BlankText(payload)) {
      ++next;
      break;
    }
    AddRow(*rows, columns, payload, [&](std::size_t k, const std::string&) { return vb::UCase(columns[k]) != "CERT_KEY"; });
  }
  if (rows->RecordCount() > 0) rows->MoveFirst();
  return rows;
}

}  // namespace asciiimport
