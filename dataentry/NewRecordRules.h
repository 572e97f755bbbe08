#pragma once
// The form rules of the new-record dialog: for each form number, how the
// dialog lays itself out, which lists its boxes show, what it checks before
// it hands a key back and how it looks for an existing row with that key.
// A rule names its forms; the rule that names none serves every other form.

#include <string>
#include <vector>

namespace newrec {

// The shown column and the key column of a box.
struct Columns {
  const char* list;
  const char* key;
};

// How the dialog lays itself out when it loads.
enum class Layout {
  Residence,   // county box, then district box
  Rocp,        // ROC/P box, then district box (and the school box)
  Selpa,       // the SELPA list alone, in the district box
  Attendance,  // the type list; county and district of the agency, hidden
};
// Where the county box's rows come from.
enum class CountyList { Counties, CountiesForTax, RocpCounties, SmallRocpCounties, None };
// The district list that a change of the county loads.
enum class DistrictList { None, Districts, ForCoeTax, ForRocp };
// The school that the duplicate query looks for: 0, the agency's school,
// the school box's key, or the school part of the SELPA key.
enum class SchoolPart { Zero, Agency, SchoolBox, SelpaSchool };
// The conditions that follow the school in the duplicate query; a SELPA key
// is also handed back as district and school.
enum class KeyTail { Residence, TaxResidence, Rocp, Selpa, Attendance };

inline constexpr Columns kCounty{"COUNTY", "COUNTY_ID"};
inline constexpr Columns kDistrict{"DISTRICT", "DISTRICT_ID"};

struct FormRule {
  std::vector<int> forms;  // none: every form that no other rule names

  // Loading.
  const char* caption = nullptr;  // the window's caption, when not the design one
  Layout layout = Layout::Residence;
  CountyList counties = CountyList::Counties;
  Columns countyColumns[2] = {kCounty, kCounty};  // by tax type: County, District
  bool countyOfAgency = false;                    // the county box shows the agency's county
  bool countyLocked = false;                      // the county box is disabled

  // A change of the county.
  DistrictList districts = DistrictList::Districts;
  Columns districtColumns[2] = {kDistrict, kDistrict};
  bool firstDistrictForDistrictUser = false;  // a district user gets its district, locked

  // A change of the district.
  bool districtChangeIgnored = false;
  bool schoolList = false;  // the school box lists the district's schools

  // Add Record.
  bool sameDistrictCheck = true;  // the residence district may not be the agency's own
  const char* countyMessage = "Please select County of Residence";  // nullptr: not checked
  const char* districtMessage = "Please select District of Residence";
  bool needsSchool = false;
  bool needsType = false;
  SchoolPart school = SchoolPart::Agency;
  KeyTail tail = KeyTail::Residence;
};

// Every rule, the one for every other form last.
const std::vector<FormRule>& Rules();
// The rule of a form number.
const FormRule& RuleFor(int formNo);

}  // namespace newrec
