#pragma once
// The window's edge: the scope and status of a form operation built from a
// window's global parameters, and the status taken back into them. Windows
// include this; nothing in forms/ does.

#include "FormScope.h"
#include "clsGlobalParam.h"

namespace forms {

// The agency, year, period and form of P; the tax type is the window's
// choice (the program's gintTaxType where a window shows one).
inline FormScope ScopeOf(const clsGlobalParam& P, std::int16_t taxType = 0) {
  FormScope scope;
  scope.year = P.ReportYear;
  scope.period = P.ReportPeriod;
  scope.county = P.CountyID;
  scope.district = P.DistrictID;
  scope.school = P.SchoolId;
  scope.formNo = P.FormNo;
  scope.formName = P.formname;
  scope.taxType = taxType;
  scope.agencyKind = P.UserGroup;
  scope.districtType = P.DistrictType;
  scope.rocp = P.RocpId;
  return scope;
}

// The form status that P holds.
inline FormStatus StatusOf(const clsGlobalParam& P) {
  FormStatus status;
  status.certificate = P.CertKey;
  status.records = P.NumRecord;
  status.errors = P.NumError;
  status.warnings = P.NumWarning;
  status.lastModified = P.LastModifiedDate;
  status.editCheck = P.EditCheckDate;
  return status;
}

// Takes a form status into P.
inline void TakeStatus(clsGlobalParam& P, const FormStatus& status) {
  P.CertKey = status.certificate;
  P.NumRecord = status.records;
  P.NumError = status.errors;
  P.NumWarning = status.warnings;
  P.LastModifiedDate = status.lastModified;
  P.EditCheckDate = status.editCheck;
}

}  // namespace forms
