#pragma once
// The global parameters: the context of the logon that travels from window to
// window (the logged-on contact, the current agency and entry screen with its
// status, the fiscal year and period, the contact being edited, the base
// folder and two mode switches), and the paths of the working database and
// the export folder. The properties are plain values with no side effects.

#include <cstdint>
#include <string>

#include "vb/Variant.h"

class clsGlobalParam {
 public:
  clsGlobalParam();

  // --- Logged-on contact and logon scope.
  std::int32_t logonUserid = 0;
  std::int32_t UserGroup = 0;
  std::int32_t LogonUserGroup = 0;
  std::string Username;
  std::string CountyName;
  std::string UserCountyName;
  std::string DistrictName;
  std::string DistrictType;
  std::string ResDistrictType;
  std::string formname;
  std::string FormDisplayName;
  std::string FormGroupName;
  std::int32_t ReportYear = 0;
  std::int32_t ReportPeriod = 0;
  std::string PeriodText;
  std::int32_t CountyID = 0;
  std::int32_t DistrictID = 0;
  std::string FiscalYearText;
  std::int32_t LogonCountyID = 0;
  std::int32_t LogonDistrictID = 0;
  std::string LogonCountyName;
  std::string LogonDistrictName;
  std::string LogonSchoolName;
  std::int32_t SchoolId = 0;
  std::int32_t RescountyId = 0;
  std::string ResCountyName;
  std::int32_t ReschdistId = 0;
  std::string ResDistName;
  std::string UserDistrictName;
  std::int32_t FormNo = 0;
  std::int16_t NumRecord = 0;
  std::int16_t NumError = 0;
  std::int16_t NumWarning = 0;
  vb::Date EditCheckDate{};
  vb::Date LastModifiedDate{};
  std::int32_t CertKey = 0;
  std::string UserPhone;
  std::string UserFax;
  std::string UserEMail;
  std::string FormTitle;
  std::string FormDisplayTitle;
  std::int32_t LocCountyID = 0;
  std::int32_t EditCounty = 0;
  std::int32_t EditDistrict = 0;
  std::int32_t EditSchool = 0;
  std::string EditSchoolName;
  std::string EditDistrictName;
  std::string SchoolName;
  std::string EditContact;
  std::int16_t GradeEditLow = 0;
  std::int16_t GradeEditHigh = 0;
  std::string BasePath;
  std::int16_t SplRLAdj = 0;
  bool SmallDistrict = false;
  vb::Date LastExportDate{};
  vb::Date LastImportDate{};
  std::string PyReasonCode;
  std::string PyCorrectionNote;
  std::string PyFormsCorrected;
  bool AllCharterDistrict = false;
  std::int32_t RocpId = 0;
  std::int32_t RocpType = 0;
  bool SmallRocp = false;
  bool IsNSSPYFieldsOpen = false;
  bool AttSdBlockRocp = false;
  bool AttCoeBlockRocp = false;
  std::int32_t CSPSequence = 0;
  std::string AURegion;
  bool ReconciliationMode = false;
  bool ForecastingMode = false;
  bool bSelpaAu = false;
  bool bDifferentSelpaLocation = false;
  std::int32_t AuCountyId = 0;
  std::string AuName;
  std::int32_t lnglogonCounty = 0;
  std::int32_t lnglogonDistrict = 0;
  std::int32_t lnglogonSchool = 0;

  // Copies every value into `aGP` except CertKey, IsNSSPYFieldsOpen,
  // bSelpaAu, bDifferentSelpaLocation and AuCountyId, which keep the values
  // that `aGP` had.
  void CopyTo(clsGlobalParam& aGP) const;

  // The working database: the reconciliation or forecasting database in
  // those modes, else RegMDBFile.
  std::string MDBFile() const;
  // The setting "Database" of "VHO-KRN", section "Setting"; by default
  // <program folder>/Data/RUDOVA.mdb.
  std::string RegMDBFile() const;
  std::string ForecastMDBFile() const;
  std::string ReconMDBFile() const;
  // BasePath followed by "/Export/".
  std::string ExportPath() const;
};
