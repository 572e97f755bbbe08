// The global parameters: initial values, CopyTo and the database paths.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TestEnvironment.h"
#include "clsGlobalParam.h"
#include "ui/Settings.h"
#include "vb/App.h"

namespace {

// Every variable of the global parameters, in declaration order.
#define GLOBAL_PARAM_FIELDS(X)                                                                                   \
  X(logonUserid) X(UserGroup) X(LogonUserGroup) X(Username) X(CountyName) X(UserCountyName) X(DistrictName)     \
  X(DistrictType) X(ResDistrictType) X(formname) X(FormDisplayName) X(FormGroupName) X(ReportYear)              \
  X(ReportPeriod) X(PeriodText) X(CountyID) X(DistrictID) X(FiscalYearText) X(LogonCountyID) X(LogonDistrictID) \
  X(LogonCountyName) X(LogonDistrictName) X(LogonSchoolName) X(SchoolId) X(RescountyId) X(ResCountyName)        \
  X(ReschdistId) X(ResDistName) X(UserDistrictName) X(FormNo) X(NumRecord) X(NumError) X(NumWarning)            \
  X(EditCheckDate) X(LastModifiedDate) X(CertKey) X(UserPhone) X(UserFax) X(UserEMail) X(FormTitle)             \
  X(FormDisplayTitle) X(LocCountyID) X(EditCounty) X(EditDistrict) X(EditSchool) X(EditSchoolName)              \
  X(EditDistrictName) X(SchoolName) X(EditContact) X(GradeEditLow) X(GradeEditHigh) X(BasePath) X(SplRLAdj)     \
  X(SmallDistrict) X(LastExportDate) X(LastImportDate) X(PyReasonCode) X(PyCorrectionNote) X(PyFormsCorrected)  \
  X(AllCharterDistrict) X(RocpId) X(RocpType) X(SmallRocp) X(IsNSSPYFieldsOpen) X(AttSdBlockRocp)               \
  X(AttCoeBlockRocp) X(CSPSequence) X(AURegion) X(ReconciliationMode) X(ForecastingMode) X(bSelpaAu)            \
  X(bDifferentSelpaLocation) X(AuCountyId) X(AuName) X(lnglogonCounty) X(lnglogonDistrict) X(lnglogonSchool)

// A value of each kind that differs from the initial one and, with the seed,
// from other objects.
template <class T>
T Distinct(int seed) {
  if constexpr (std::is_same_v<T, bool>)
    return seed % 2 == 1;
  else if constexpr (std::is_same_v<T, std::string>)
    return "text " + std::to_string(seed);
  else if constexpr (std::is_same_v<T, vb::Date>)
    return vb::Date{43000.0 + seed};
  else
    return static_cast<T>(seed);
}

void Fill(clsGlobalParam& gp, int seed) {
  int n = 0;
#define FILL(f) gp.f = Distinct<decltype(gp.f)>(seed + 2 * ++n);
  GLOBAL_PARAM_FIELDS(FILL)
#undef FILL
}

// The variables in which the two objects agree.
std::set<std::string> Agreeing(const clsGlobalParam& a, const clsGlobalParam& b) {
  std::set<std::string> same;
#define SAME(f) \
  if (a.f == b.f) same.insert(#f);
  GLOBAL_PARAM_FIELDS(SAME)
#undef SAME
  return same;
}

std::set<std::string> AllFields() {
  std::set<std::string> all;
#define NAME(f) all.insert(#f);
  GLOBAL_PARAM_FIELDS(NAME)
#undef NAME
  return all;
}

const std::set<std::string> kNotCopied{"CertKey", "IsNSSPYFieldsOpen", "bSelpaAu", "bDifferentSelpaLocation",
                                       "AuCountyId"};

template <class T>
bool IsInitial(const T& value) {
  return value == T{};
}

TEST(GlobalParam, NewObjectHasTheFixedYearAndOtherwiseEmptyValues) {
  ASSERT_EQ(AllFields().size(), 77u);
  clsGlobalParam gp;
  EXPECT_EQ(gp.ReportYear, 2019);
  EXPECT_EQ(gp.FiscalYearText, "FY 2019-20");
  EXPECT_FALSE(gp.ReconciliationMode);
  EXPECT_FALSE(gp.ForecastingMode);
  std::set<std::string> notInitial;
#define CHECK_INITIAL(f) \
  if (!IsInitial(gp.f)) notInitial.insert(#f);
  GLOBAL_PARAM_FIELDS(CHECK_INITIAL)
#undef CHECK_INITIAL
  EXPECT_EQ(notInitial, (std::set<std::string>{"ReportYear", "FiscalYearText"}));
}

TEST(GlobalParam, CopyToCopiesAllButFiveVariablesOntoANewObject) {
  clsGlobalParam source;
  Fill(source, 1);
  source.IsNSSPYFieldsOpen = source.bSelpaAu = source.bDifferentSelpaLocation = true;
  clsGlobalParam copy;
  source.CopyTo(copy);
  std::set<std::string> copied = Agreeing(source, copy);
  std::set<std::string> expected = AllFields();
  for (const auto& f : kNotCopied) expected.erase(f);
  EXPECT_EQ(copied, expected);
  EXPECT_EQ(copy.CertKey, 0);
  EXPECT_EQ(copy.AuCountyId, 0);
  EXPECT_FALSE(copy.bSelpaAu);
  EXPECT_FALSE(copy.IsNSSPYFieldsOpen);
  EXPECT_FALSE(copy.bDifferentSelpaLocation);
}

TEST(GlobalParam, CopyToOverwritesAnUsedObjectButKeepsItsFive) {
  clsGlobalParam source;
  Fill(source, 1);
  clsGlobalParam target;
  Fill(target, 2);  // every value differs from the source's
  const clsGlobalParam before = target;
  source.CopyTo(target);
  std::set<std::string> copied = Agreeing(source, target);
  std::set<std::string> kept = Agreeing(before, target);
  EXPECT_EQ(kept, kNotCopied);
  for (const auto& f : kNotCopied) EXPECT_EQ(copied.count(f), 0u) << f;
  EXPECT_EQ(copied.size(), 72u);
}

class GlobalParamPaths : public ProgramTest {};

TEST_F(GlobalParamPaths, DatabaseDefaultsToTheDataFolderOfTheProgram) {
  clsGlobalParam gp;
  EXPECT_EQ(gp.RegMDBFile(), vb::App::Path() + "/Data/RUDOVA.mdb");
  EXPECT_EQ(gp.MDBFile(), gp.RegMDBFile());
}

TEST_F(GlobalParamPaths, DatabaseSettingIsAnsweredUnchanged) {
  ui::SaveSetting("VHO-KRN", "Setting", "Database", "  /srv/shared/Other File.mdb");
  clsGlobalParam gp;
  EXPECT_EQ(gp.RegMDBFile(), "  /srv/shared/Other File.mdb");
  EXPECT_EQ(gp.MDBFile(), "  /srv/shared/Other File.mdb");
}

TEST_F(GlobalParamPaths, ModesChooseTheirDatabases) {
  clsGlobalParam gp;
  gp.BasePath = "/opt/lev";
  gp.ForecastingMode = true;
  EXPECT_EQ(gp.MDBFile(), vb::App::Path() + "/Data/RUDOVA_Forecast2019-20.mdb");
  gp.ReconciliationMode = true;  // reconciliation comes first
  EXPECT_EQ(gp.MDBFile(), "/opt/lev/Data/RUDOVA_Recon.mdb");
}

TEST_F(GlobalParamPaths, ExportFolderFollowsTheBasePath) {
  clsGlobalParam gp;
  EXPECT_EQ(gp.ExportPath(), "/Export/");
  gp.BasePath = "/opt/lev";
  EXPECT_EQ(gp.ExportPath(), "/opt/lev/Export/");
}

}  // namespace
