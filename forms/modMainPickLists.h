#pragma once
// The organisation pick lists: record sets of counties, districts, SELPAs,
// ROC/Ps and schools for the contact registration window and the new-record
// dialog, chosen by the scope's form number and, where a list depends on
// them, by its tax type, period, agency kind and agency.
//
// Every call builds its statement afresh from the scope it is given and
// hands a new record set to the caller, who owns it. "Attached" lists stay
// on the given connection; "detached" ones come back without a connection. Lists
// that pass failures over answer a closed record set when their statement
// cannot run; the others report the failure. The SELPA lists answer no record
// set when nothing matches.

#include <cstdint>
#include <string>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Variant.h"

namespace modMain {

// Open county offices as county_id, county (attached, failures passed over).
// Forms 22, 25 and 80 narrow the list; every other form number lists every
// county with an open county-office row in the fiscal year.
db::RecordsetPtr getRS_Counties(const db::ConnectionPtr& conn, const forms::FormScope& scope);
// The county list of the tax forms (detached, failures reported): form 29
// by tax type and period from the tax reference tables, form 30 the current
// county alone.
db::RecordsetPtr getRS_CountiesForTax(const db::ConnectionPtr& conn, const forms::FormScope& scope);
// The district list of the tax forms for the chosen county (attached,
// failures passed over); Null or an empty text matches no county. Other
// forms answer a closed record set.
db::RecordsetPtr getRS_DistrictsForCOETax(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                          const vb::Variant& county);
// Districts of the other products' forms (attached, failures passed over);
// a county of 0 or less (Null or empty counts as -1) lists every county.
db::RecordsetPtr getRS_Districts(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                 const vb::Variant& county);
// Members of a SELPA region keyed by HashedValue (attached, failures
// reported); none when nothing matches.
db::RecordsetPtr getRS_SELPADistricts(const db::ConnectionPtr& conn, const std::string& region, bool allocation);
// SELPAs keyed by HashedValue (attached, failures reported); none when
// nothing matches.
db::RecordsetPtr getRS_SELPAAus(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                const std::string& region);
// ROC/P agencies by agency kind (attached, failures passed over); closed for
// agency kinds other than 2 and 3.
db::RecordsetPtr getRS_ROCPCounties(const db::ConnectionPtr& conn, const forms::FormScope& scope, bool smallOnly);
// Agencies served by a ROC/P (detached, failures passed over).
db::RecordsetPtr getRS_DistrictsForROCP(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                        const std::string& rocp, std::int16_t formNo);
// Non-charter schools of a district served by a ROC/P (detached, failures
// passed over).
db::RecordsetPtr getRS_SchoolForROCP(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                     const std::string& district, const std::string& rocp, std::int16_t formNo);

}  // namespace modMain
