#include "modMainPickLists.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#include "FormData.h"
#include "FormNumbers.h"
#include "db/SqlText.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"

// Every value goes into the statements as a bound parameter. A DISTINCT list
// without an ordering of its own is ordered by its columns, the order in
// which such lists have always come.

namespace modMain {

namespace {

using db::Param;
using db::SqlText;
using vb::Variant;

constexpr const char* kModule = "modMain";

using namespace forms::formno;

// An attached list: a record set with the settings of the program's new
// record sets, opened on the given connection and left attached to it.
// The list is made first, so that a list whose statement cannot run comes
// back closed.
db::RecordsetPtr NewAttached() {
  auto rs = db::Recordset::Create();
  rs->CursorType(db::CursorType::Dynamic);
  rs->CursorLocation(db::CursorLocation::Client);
  rs->LockType(db::LockType::Pessimistic);
  return rs;
}

void OpenAttached(const db::ConnectionPtr& conn, db::Recordset& rs, const SqlText& q) {
  if (q.Empty()) vb::Raise(vb::err::NoConnection, "Command text was not set for the command object.");
  rs.Open(q.Sql(), forms::Required(conn), q.Params());
}

// A detached list, fetched as the data-access class fetches, which reports
// its own failures (no statement among them) and then answers none.
// The connection is the list's to have: a list without one fails in its
// own guard.
db::RecordsetPtr FetchDetached(const db::ConnectionPtr& conn, const SqlText& q) {
  return forms::Fetch(forms::Required(conn), q);
}

// The named columns of the first row of a lookup; a column that cannot be
// read (no row, a failed query) stays Empty.
std::vector<Variant> LookupFirstRow(const db::ConnectionPtr& conn, Trap& trap, const SqlText& q, std::initializer_list<std::string_view> columns) {
  std::vector<Variant> values(columns.size());
  db::RecordsetPtr rs;
  trap([&] {
    rs = NewAttached();
    OpenAttached(conn, *rs, q);
  });
  std::size_t i = 0;
  for (std::string_view column : columns) {
    trap([&] {
      if (!rs) vb::Raise(vb::err::ObjectNotSet);
      values[i] = rs->Value(column);
    });
    ++i;
  }
  return values;
}

bool Equals(const Variant& v, double number) {
  return !v.IsNull() && !v.IsEmpty() && vb::IsNumeric(v) && vb::CDbl(v) == number;
}

// The county argument of the district lists as a number: Null, Empty and
// the empty text count as -1, which matches no county; any other text must
// read as a number.
Variant CountyKey(const Variant& county) {
  if (county.IsNull() || county.IsEmpty() || (county.IsString() && vb::CStr(county).empty())) return Variant(-1);
  if (!vb::IsNumeric(county)) vb::Raise(vb::err::TypeMismatch);
  return Variant(vb::CDbl(county));
}

// The text of a number as Str writes it: a leading blank before a number
// that is not negative.
std::string StrOf(std::string_view column) {
  std::string c(column);
  return "(CASE WHEN " + c + " < 0 THEN '' ELSE ' ' END || " + c + ")";
}

const std::string kHashedValue =
    StrOf("d.SCHOOL_DISTRICT_ID") + " || ':' || " + StrOf("d.SCHOOL_ID") + " as HashedValue";

constexpr const char* kNotCode10 = " and substr(d.school_district_id, 1, 2) <> '10'";

}  // namespace

db::RecordsetPtr getRS_Counties(const db::ConnectionPtr& conn, const forms::FormScope& scope) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getRS_Counties", Trap::Mode::Silent);
  trap([&] { result = NewAttached(); });
  const forms::FormScope* gp = &scope;
  const Variant year(gp->year);

  // Form 22 lists the court-order county alone for a district that chose it.
  std::vector<Variant> choice{Variant()};
  std::vector<Variant> courtCounty{Variant()};
  if (gp->formNo == kBasicAidChoice) {
    SqlText district;
    district << "select IS_BASIC_AID_CHOICE from krn_leas where stat_type = 'OPEN' and lea_type = 3 and school_id = 0"
             << " and county_id = " << Param(Variant(gp->county))
             << " and school_district_id = " << Param(Variant(gp->district)) << " and fiscal_year = " << Param(year);
    choice = LookupFirstRow(conn, trap, district, {"IS_BASIC_AID_CHOICE"});
    SqlText court;
    court << "select county_id from krn_leas where stat_type = 'OPEN' and EXCEPTION_COURTORDER = -1 and school_id = 0"
          << " and fiscal_year = " << Param(year) << " order by county_id, school_district_id";
    courtCounty = LookupFirstRow(conn, trap, court, {"county_id"});
  }

  SqlText q;
  trap([&] {
    q << "select distinct county_id, county_name as county from krn_leas where fiscal_year = " << Param(year)
      << " and LEA_TYPE = 2 AND stat_type = 'OPEN'";
    switch (gp->formNo) {
      case kAttendanceSupplement:
        q << " and EXCEPTION_ATT_SUPP_LIST = -1";
        break;
      case kBasicAidChoice:
        if (Equals(choice[0], 2)) q << " and county_id = " << Param(courtCounty[0]);
        break;
      case kOtherCounties:
        q << " and county_id <> " << Param(Variant(gp->county));
        break;
      default:
        break;
    }
    q << " order by county_id, county";
  });
  trap([&] { OpenAttached(conn, vb::Deref(result), q); });
  return result;
}

db::RecordsetPtr getRS_CountiesForTax(const db::ConnectionPtr& conn, const forms::FormScope& scope) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getRS_CountiesForTax");
  SqlText q;
  trap([&] {
    const forms::FormScope& gp = scope;
    const Param county{Variant(gp.county)};
    const bool p1p2 = gp.period == 1 || gp.period == 2;
    if (gp.formNo == kTax && gp.taxType == 0) {
      if (p1p2)
        q << "select distinct loc_county_id as countyid, county_name as COUNTY from taxcoe where county_id = "
          << county;
      else
        q << "select distinct county_id as countyid, county_name as COUNTY from taxcoe1 where loc_county_id = "
          << county;
      q << " order by countyid, COUNTY";
    } else if (gp.formNo == kTax && gp.taxType == 1) {
      q << "select distinct county_id, county_name from taxsd2 where " << (p1p2 ? "loc_county_id" : "county_id")
        << " = " << county << " order by county_id, county_name";
    } else if (gp.formNo == kMiscTax) {
      q << "select distinct COUNTY_ID, COUNTY_Name from krn_leas where stat_type = 'OPEN' and lea_type = 2"
        << " and county_id = " << county << " order by COUNTY_ID, COUNTY_Name";
    }
  });
  trap([&] { result = FetchDetached(conn, q); });
  return result;
}

db::RecordsetPtr getRS_DistrictsForCOETax(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                          const Variant& county) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getRS_DistrictsForCOETax", Trap::Mode::Silent);
  trap([&] { result = NewAttached(); });
  SqlText q;
  trap([&] {
    const forms::FormScope& gp = scope;
    const Param year{Variant(gp.year)};
    const Param own{Variant(gp.county)};
    constexpr const char* kDistricts =
        "select distinct d.school_district_id as district_id, d.school_district_name as district, d.county_id"
        " from krn_leas d where d.stat_type = 'OPEN' and d.county_id = ";
    if (gp.formNo == kTax && gp.taxType == 0) {
      q << kDistricts << Param(CountyKey(county)) << " and d.fiscal_year = " << year
        << " and d.school_id = 0 and d.lea_type = 2 order by d.school_district_name";
    } else if (gp.formNo == kTax && gp.taxType == 1) {
      const Variant key = CountyKey(county);
      if (vb::CDbl(key) == gp.county)
        q << "select distinct d.school_district_id as school_district_id,"
             " d.school_district_name as school_district_name, d.county_id"
             " from krn_leas d where d.stat_type = 'OPEN' and d.county_id = "
          << own << " and d.fiscal_year = " << year
          << " and d.school_id = 0 and d.lea_type = 3 order by d.school_district_name";
      else
        q << "select * from taxsd where county_id = " << Param(key) << " and loc_county_id = " << own
          << " order by county_id, loc_county_id, SCHOOL_DISTRICT_ID";
    } else if (gp.formNo == kMiscTax) {
      q << kDistricts << own << " and d.fiscal_year = " << year
        << " and d.school_id = 0 and (d.lea_type = 2 or d.lea_type = 3) order by d.school_district_name";
    }
  });
  trap([&] { OpenAttached(conn, vb::Deref(result), q); });
  return result;
}

db::RecordsetPtr getRS_Districts(const db::ConnectionPtr& conn, const forms::FormScope& scope, const Variant& county) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getRS_Districts", Trap::Mode::Silent);
  trap([&] { result = NewAttached(); });
  const forms::FormScope* gp = &scope;
  const Param year{Variant(gp->year)};
  const std::int32_t form = gp->formNo;

  // The current district's basic-aid choice and grade span (forms 22 and
  // 519), or the district that the current school may not choose (form 50).
  std::vector<Variant> district(3);
  Variant denied;
  if (form == kBasicAidChoice || form == kGradeSpan) {
    SqlText q;
    q << "select IS_BASIC_AID_CHOICE, lowest_grade, highest_grade from krn_leas where stat_type = 'OPEN'"
      << " and lea_type = 3 and school_id = 0 and county_id = " << Param(Variant(gp->county))
      << " and school_district_id = " << Param(Variant(gp->district)) << " and fiscal_year = " << year;
    district = LookupFirstRow(conn, trap, q, {"IS_BASIC_AID_CHOICE", "lowest_grade", "highest_grade"});
  } else if (form == kDeniedDistrict) {
    SqlText q;
    q << "select DeniedLEA from krn_leas where stat_type = 'OPEN' and lea_type = 4"
      << " and county_id = " << Param(Variant(gp->county))
      << " and school_district_id = " << Param(Variant(gp->district))
      << " and school_id = " << Param(Variant(gp->school)) << " and DeniedLEA is not null";
    denied = LookupFirstRow(conn, trap, q, {"DeniedLEA"})[0];
  }

  SqlText q;
  trap([&] {
    const Variant key = CountyKey(county);
    q << "select distinct d.school_district_id as district_id, d.school_district_name as district, d.county_id"
      << (form == kDeniedDistrict ? ", d.DeniedLEA" : "") << " from krn_leas d where d.stat_type = 'OPEN'";
    if (vb::CDbl(key) > 0) q << " and d.COUNTY_ID = " << Param(key);
    const Param low{district[1]};
    const Param high{district[2]};
    switch (form) {
      case kBasicAidChoice:
      case kGradeSpan:
        q << " and d.school_id = 0 and d.DISTRICT_TYPE in ('ELEMENTARY', 'UNIFIED', 'HIGH') and d.fiscal_year = "
          << year << kNotCode10 << " and ((d.lowest_grade between " << low << " and " << high
          << ") or (d.highest_grade between " << low << " and " << high << ") or (" << low
          << " between d.lowest_grade and d.highest_grade) or (" << high
          << " between d.lowest_grade and d.highest_grade))";
        if (form == kBasicAidChoice && Equals(district[0], 2)) q << " and d.EXCEPTION_COURTORDER = -1";
        q << (form == kBasicAidChoice ? " order by d.school_district_name" : " order by district_id, district, d.county_id");
        break;
      case kDeniedDistrict:
        // A school without a denied district may choose any of them.
        q << " and d.lea_type = 3 and d.school_id = 0 and d.fiscal_year = " << year << kNotCode10 << " and ("
          << Param(denied) << " is null or d.school_district_id <> " << Param(denied)
          << ") order by d.school_district_name";
        break;
      case kAttendanceSupplement:
        q << " and d.lea_type = 3 and d.school_id = 0 and d.fiscal_year = " << year
          << " and d.EXCEPTION_ATT_SUPP_LIST = -1 and d.IS_BASIC_AID <> -1";
        if (gp->districtType == "ELEM" || gp->districtType == "ELEMENTARY")
          q << " and (d.DISTRICT_TYPE = 'ELEMENTARY' or d.DISTRICT_TYPE = 'UNIFIED')";
        else if (gp->districtType == "HIGH")
          q << " and (d.DISTRICT_TYPE = 'HIGH' or d.DISTRICT_TYPE = 'UNIFIED')";
        q << " order by d.school_district_name";
        break;
      case kResidency:
        q << " and (d.lea_type = 3 or d.lea_type = 2 or d.lea_type = 4) and d.school_id <> -1 and d.fiscal_year = "
          << year << " order by d.school_district_name";
        break;
      case kAdultEducation:
        q << " and d.AdultEdCOEParticipation = -1 order by district_id, district, d.county_id";
        break;
      default:
        q << " and d.lea_type = 3 and d.school_id = 0 and d.fiscal_year = " << year << kNotCode10
          << " order by d.school_district_name";
        break;
    }
  });
  trap([&] { OpenAttached(conn, vb::Deref(result), q); });
  return result;
}

namespace {

// Opens a SELPA list and answers none when it holds no row; failures are
// reported under the procedure's name.
db::RecordsetPtr OpenSelpaList(const db::ConnectionPtr& conn, const char* procedure,
                               const std::function<void(SqlText&)>& compose) {
  db::RecordsetPtr result;
  Trap trap(kModule, procedure);
  SqlText q;
  trap([&] { result = NewAttached(); });
  trap([&] { compose(q); });
  trap([&] { OpenAttached(conn, vb::Deref(result), q); });
  trap([&] {
    if (vb::Deref(result).RecordCount() < 1) result.reset();
  });
  return result;
}

}  // namespace

db::RecordsetPtr getRS_SELPADistricts(const db::ConnectionPtr& conn, const std::string& region, bool allocation) {
  return OpenSelpaList(conn, "getRS_SELPADistricts", [&](SqlText& q) {
    q << "select d.SCHOOL_DISTRICT_ID as SELPA_DISTRICT_ID, d.SCHOOL_DISTRICT_NAME as SELPA_DISTRICT_NAME,"
         " d.SCHOOL_ID as SELPA_SCHOOL_ID, "
      << kHashedValue;
    if (allocation) q << ", d.SELPA_AU_REGION as SELPA_AU_Region, d.SELPA_DISTRICTREGION as SELPA_DistrictRegion";
    q << " from krn_leas d where d.stat_type = 'OPEN' and d.selpa_au_region = " << Param(Variant(region));
    if (allocation) q << " and d.AllocationProgram = -1";
    q << " order by d.SCHOOL_DISTRICT_NAME";
  });
}

db::RecordsetPtr getRS_SELPAAus(const db::ConnectionPtr& conn, const forms::FormScope& scope, const std::string& region) {
  return OpenSelpaList(conn, "getRS_SELPAAus", [&](SqlText& q) {
    const forms::FormScope& gp = scope;
    const bool ownCounty = gp.formNo == kSelpaCountyAudited || gp.formNo == kSelpaCounty;
    q << "select d.SCHOOL_DISTRICT_ID as SELPA_DISTRICT_ID, " << (ownCounty ? "d.selpa_name" : "d.SCHOOL_DISTRICT_NAME")
      << " as SELPA_AU_NAME, d.SCHOOL_ID as SELPA_SCHOOL_ID, " << kHashedValue
      << " from krn_leas d where d.stat_type = 'OPEN' and d.lea_type = 5";
    if (ownCounty)
      q << " and d.county_id = " << Param(Variant(gp.county))
        << " and d.selpa_au_region <> '' and d.fiscal_year = " << Param(Variant(gp.year));
    else
      q << " and d.selpa_au_region <> " << Param(Variant(region));
    q << " order by d.SCHOOL_DISTRICT_NAME";
  });
}

db::RecordsetPtr getRS_ROCPCounties(const db::ConnectionPtr& conn, const forms::FormScope& scope, bool smallOnly) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getRS_ROCPCounties", Trap::Mode::Silent);
  trap([&] { result = NewAttached(); });
  const forms::FormScope* gp = &scope;
  if (gp->agencyKind != 2 && gp->agencyKind != 3) return result;  // left unopened
  const Param year{Variant(gp->year)};
  const Param county{Variant(gp->county)};

  // Without the flag a district lists the ROC/P that serves it, found by its
  // own row's code and then by the ROC/P agency row of that code.
  std::vector<Variant> serving(2);
  if (!smallOnly && gp->agencyKind == 3) {
    SqlText own;
    own << "select ROCP from krn_leas where stat_type = 'OPEN' and lea_type = 3 and school_id = 0 and county_id = "
        << county << " and school_district_id = " << Param(Variant(gp->district)) << " and fiscal_year = " << year;
    const Variant code = LookupFirstRow(conn, trap, own, {"ROCP"})[0];
    SqlText agency;
    agency << "select county_id, ROCP from krn_leas where stat_type = 'OPEN' and lea_type = 6 and ROCP = "
           << Param(code) << " and fiscal_year = " << year;
    serving = LookupFirstRow(conn, trap, agency, {"county_id", "ROCP"});
  }

  SqlText q;
  trap([&] {
    const bool withRocp = smallOnly && gp->agencyKind == 2;
    q << "select d.school_district_id, d.school_district_name" << (withRocp ? ", d.ROCP as rocp" : "")
      << " from krn_leas d where d.stat_type = 'OPEN' and d.LEA_TYPE = 6 and d.fiscal_year = " << year;
    if (smallOnly && gp->agencyKind == 3)
      q << " and d.county_id = " << county << " and d.ROCP_SMALL = 1 and d.ROCP = " << Param(Variant(gp->rocp));
    else if (smallOnly)
      q << " and d.county_id = " << county << " and d.ROCP_SMALL = 1 and d.ROCP_TYPE = 1";
    else if (gp->agencyKind == 3)
      q << " and d.county_id = " << Param(serving[0]) << " and d.ROCP = " << Param(serving[1]);
    else
      q << " and d.county_id = " << county << " and d.ROCP = " << Param(Variant(gp->rocp));
    q << " order by d.school_district_name";
  });
  trap([&] { OpenAttached(conn, vb::Deref(result), q); });
  return result;
}

db::RecordsetPtr getRS_DistrictsForROCP(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                        const std::string& rocp, std::int16_t formNo) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getRS_DistrictsForROCP", Trap::Mode::Silent);
  SqlText q;
  trap([&] {
    const forms::FormScope& gp = scope;
    const Param county{Variant(gp.county)};
    const bool district = gp.agencyKind == 3;
    const bool office = gp.agencyKind == 2;
    auto head = [&] {
      q << "select d.school_district_id, d.school_district_name from krn_leas d where d.stat_type = 'OPEN'"
           " and d.school_id = 0 and d.fiscal_year = "
        << Param(Variant(gp.year)) << " and d.ROCP = " << Param(Variant(rocp));
    };
    constexpr const char* kOrder = " order by d.school_district_name";
    if (formNo == kRocp && district) {
      head();
      q << " and (d.lea_type = 3 or d.lea_type = 2)" << kOrder;
    } else if (formNo == kRocp && office) {
      head();
      q << " and d.lea_type = 2 and d.county_id = " << county << kOrder;
    } else if (formNo == kSmallRocp && district) {
      head();
      q << " and d.lea_type = 3 and d.county_id = " << county
        << " and d.school_district_id = " << Param(Variant(gp.district)) << " and d.ROCP_SMALL = 1";
    } else if ((formNo == kSmallRocp || formNo == kSmallRocpSchools) && office) {
      head();
      q << " and (d.lea_type = 3 or d.lea_type = 2) and d.county_id = " << county << " and d.ROCP_SMALL = 1" << kOrder;
    } else if (formNo == kSmallRocpSchools && district) {
      head();
      q << " and d.lea_type = 3 and d.county_id = " << county << " and d.ROCP_SMALL = 1";
    }
  });
  trap([&] { result = FetchDetached(conn, q); });
  return result;
}

db::RecordsetPtr getRS_SchoolForROCP(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                     const std::string& district, const std::string& rocp, std::int16_t formNo) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getRS_SchoolForROCP", Trap::Mode::Silent);
  SqlText q;
  trap([&] {
    q << "select d.school_id, d.school_name from krn_leas d where d.stat_type = 'OPEN' and d.lea_type = 4"
         " and d.charter_id = 'N' and d.school_district_id = "
      << Param(Variant(district)) << " and d.ROCP = " << Param(Variant(rocp))
      << " and d.fiscal_year = " << Param(Variant(scope.year));
    if (formNo == kSmallRocp) q << " and d.ROCP_SMALL = 1";
    q << " order by d.school_name";
  });
  trap([&] { result = FetchDetached(conn, q); });
  return result;
}

}  // namespace modMain
