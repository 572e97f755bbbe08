#include "modCOECertification.h"

#include "FormData.h"
#include "clsMyCRC32.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace modCOE {
namespace {

constexpr const char* kModule = "modCOE";

// The text of a CS_BA row's district: the county office's district when a
// charter school of the row's district has its block-grant rows filled in by
// the district, else the row's own.
std::string CsBaDistrictText(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::Recordset& rs) {
  const Variant county = rs.Value("county_id");
  const Variant district = rs.Value("school_district_id");
  if (county.IsNull() || district.IsNull()) vb::Raise(vb::err::InvalidUseOfNull);
  auto fillers = db::Recordset::Query(
      "select * from krn_leas where county_id = ? and school_district_id = ? and lea_type = 4 "
      "and cs_ba_charter_fill_by_dist = -1",
      forms::Required(conn), {county, district});
  if (fillers->RecordCount() == 0) return vb::TextOf(rs.Value("SCHOOL_DISTRICT_ID"));
  auto office = db::Recordset::Query("select * from krn_leas where county_id = ? and lea_type = 2", conn,
                                     {Variant(scope.county)});
  return std::to_string(vb::CLng(office->Value("school_district_id")));
}

// What keying a table's rows needs, found once per record set: the column
// names in table order with their field positions (-1 for a column the
// record set lacks, which fails when it is read), and the table's own rules
// (the cost-pool table trims its texts, a block-grant row may stand for
// another district).
struct RowColumns {
  std::vector<std::string> names;
  std::vector<int> fields;
  bool trimTexts = false;
  bool blockGrant = false;
};

RowColumns ColumnsOf(const db::ConnectionPtr& conn, const std::string& tableName, const db::Recordset& rs) {
  RowColumns columns;
  columns.names = db::catalog::ColumnNames(*forms::Required(conn), tableName);
  for (const std::string& name : columns.names) columns.fields.push_back(rs.FieldIndex(name));
  const std::string table = vb::UCase(tableName);
  columns.trimTexts = table == "SECOSTPOOL";
  columns.blockGrant = table == "CS_BA";
  return columns;
}

// Appends the row text of the current row to `text`.
void AppendRowText(const db::ConnectionPtr& conn, const forms::FormScope& scope, const RowColumns& columns,
                   db::Recordset& rs, std::string& text) {
  const std::vector<Variant>& values = rs.CurrentValues();  // Empty and Null both read ""
  for (std::size_t i = 0; i < columns.names.size(); ++i) {
    const std::string& column = columns.names[i];
    if (column == "CERT_KEY") continue;
    if (columns.blockGrant && column == "SCHOOL_DISTRICT_ID") {
      text += CsBaDistrictText(conn, scope, rs);
      continue;
    }
    if (columns.fields[i] < 0) rs.Value(column);  // error 3265, naming the column
    const Variant& value = values[static_cast<std::size_t>(columns.fields[i])];
    if (columns.trimTexts)
      text += vb::Trim(vb::TextOf(value));
    else if (value.IsString())
      text += value.AsString();
    else
      text += vb::TextOf(value);
  }
}

std::string RowText(const db::ConnectionPtr& conn, const forms::FormScope& scope, const RowColumns& columns,
                    db::Recordset& rs) {
  std::string text;
  AppendRowText(conn, scope, columns, rs, text);
  return text;
}

void MovePastEnd(db::Recordset& rs) {
  if (rs.RecordCount() == 0) return;
  rs.MoveLast();
  rs.MoveNext();
}

}  // namespace

std::string fcnGetStringForCertKey(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                   const std::string& tableName, db::Recordset& rs) {
  std::string text;
  Trap trap(kModule, "fcnGetStringForCertKey");
  trap([&] { text = RowText(conn, scope, ColumnsOf(conn, tableName, rs), rs); });
  return text;
}

bool SetCertKeysInRs(const db::ConnectionPtr& conn, const forms::FormScope& scope, const std::string& tableName,
                     db::Recordset& rs, bool currentRowOnly) {
  Trap trap(kModule, "SetCertKeysInRs");
  bool everyRow = true;
  const bool done = trap([&] {
    clsMyCRC32 crc;
    // The column order and the table's rules are found once for all the rows.
    const RowColumns columns = ColumnsOf(conn, tableName, rs);
    const int certKey = rs.FieldIndex("CERT_KEY");
    // The row text, in a buffer kept between rows. A row whose text fails
    // is read again under the procedure's own guard, which reports it and
    // answers "", so that it gets the key 0 and the next row follows; the
    // rows that succeed need no guard of their own.
    std::string text;
    auto keyRow = [&] {
      text.clear();
      try {
        AppendRowText(conn, scope, columns, rs, text);
      } catch (...) {
        text.clear();
        Trap row(kModule, "fcnGetStringForCertKey");
        if (!row([&] { text = RowText(conn, scope, columns, rs); })) everyRow = false;
      }
      const Variant key(crc.GetCRC32(text));
      if (certKey >= 0)
        rs.SetValue(certKey, key);
      else
        rs.SetValue("CERT_KEY", key);
    };
    if (currentRowOnly) {
      keyRow();
      return;
    }
    if (rs.RecordCount() == 0) return;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) keyRow();
  });
  return done && everyRow;
}

std::int32_t CertificateOfRows(db::Recordset& rs, Trap& trap, NullCertKey nullKey, bool* everyStep) {
  std::string text;
  std::int32_t certificate = 0;
  bool more = false;
  bool all = trap([&] {
    rs.MoveFirst();
    more = !rs.Eof();
  });
  while (more) {
    all = trap([&] {
      const Variant key = rs.Value("CERT_KEY");
      text += nullKey == NullCertKey::Error ? vb::CStr(key) : vb::TextOf(key);
    }) && all;
    more = false;
    all = trap([&] {
      rs.MoveNext();
      more = !rs.Eof();
    }) && all;
  }
  all = trap([&] { certificate = clsMyCRC32().GetCRC32(text); }) && all;
  if (everyStep) *everyStep = all;
  return certificate;
}

namespace {

// GetGroupCertKey's steps; `complete` turns false when one of them failed.
std::int32_t GroupCertificate(db::Recordset& rs, const std::vector<std::string>& keyColumns, bool& complete) {
  Trap trap(kModule, "GetGroupCertKey");
  long rows = 0;
  complete = trap([&] { rows = rs.RecordCount(); });
  if (rows < 1) return 0;
  // Sorted by the key columns, first column first; a Null key adds nothing.
  complete = trap([&] {
    std::string sort;
    for (const std::string& column : keyColumns) sort += (sort.empty() ? "" : ", ") + column;
    rs.Sort(sort);
  }) && complete;
  bool everyKey = false;
  const std::int32_t certificate = CertificateOfRows(rs, trap, NullCertKey::Empty, &everyKey);
  complete = complete && everyKey;
  trap([&] { rs.Sort(""); });
  trap([&] { MovePastEnd(rs); });
  return certificate;
}

}  // namespace

std::int32_t GetGroupCertKey(db::Recordset& rs, const std::vector<std::string>& keyColumns) {
  bool complete = true;
  return GroupCertificate(rs, keyColumns, complete);
}

std::optional<std::int32_t> GroupCertKeyOfAll(db::Recordset& rs, const std::vector<std::string>& keyColumns) {
  bool complete = true;
  const std::int32_t certificate = GroupCertificate(rs, keyColumns, complete);
  if (!complete) return std::nullopt;
  return certificate;
}

}  // namespace modCOE
