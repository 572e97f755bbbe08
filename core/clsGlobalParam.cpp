#include "clsGlobalParam.h"

#include "modGlobals.h"
#include "ui/Settings.h"
#include "vb/App.h"
#include "zelErrHandler.h"

clsGlobalParam::clsGlobalParam() {
  Trap trap("clsGlobalParam", "Class_Initialize");
  trap([&] {
    ReportYear = modGlobals::kFiscalYear;
    FiscalYearText = "FY " + std::to_string(ReportYear) + "-" + modGlobals::NextYearDigits(ReportYear);
    ReconciliationMode = false;
    ForecastingMode = false;
  });
}

void clsGlobalParam::CopyTo(clsGlobalParam& aGP) const {
  Trap trap("clsGlobalParam", "CopyTo");
  trap([&] {
    // These five belong to the object they are set on and are not copied.
    const std::int32_t certKey = aGP.CertKey;
    const bool nssFields = aGP.IsNSSPYFieldsOpen;
    const bool selpaAu = aGP.bSelpaAu;
    const bool differentLocation = aGP.bDifferentSelpaLocation;
    const std::int32_t auCounty = aGP.AuCountyId;
    aGP = *this;
    aGP.CertKey = certKey;
    aGP.IsNSSPYFieldsOpen = nssFields;
    aGP.bSelpaAu = selpaAu;
    aGP.bDifferentSelpaLocation = differentLocation;
    aGP.AuCountyId = auCounty;
  });
}

std::string clsGlobalParam::MDBFile() const {
  std::string path;
  Trap trap("clsGlobalParam", "MDBFile[Get]");
  trap([&] {
    if (ReconciliationMode)
      path = ReconMDBFile();
    else if (ForecastingMode)
      path = ForecastMDBFile();
    else
      path = RegMDBFile();
  });
  return path;
}

std::string clsGlobalParam::RegMDBFile() const {
  std::string path;
  Trap trap("clsGlobalParam", "RegMDBFile[Get]");
  trap([&] { path = ui::GetSetting("VHO-KRN", "Setting", "Database", vb::App::Path() + "/Data/RUDOVA.mdb"); });
  return path;
}

std::string clsGlobalParam::ForecastMDBFile() const {
  std::string path;
  Trap trap("clsGlobalParam", "ForecastMDBFile[Get]");
  trap([&] {
    const std::string yearText =
        modGlobals::gobjGlobalParam ? modGlobals::gobjGlobalParam->FiscalYearText : FiscalYearText;
    path = ui::GetSetting("VHO-KRN", "Setting", "Database",
                          vb::App::Path() + "/Data/RUDOVA_Forecast" + (yearText.size() > 3 ? yearText.substr(3) : "") +
                              ".mdb");
  });
  return path;
}

std::string clsGlobalParam::ReconMDBFile() const {
  std::string path;
  Trap trap("clsGlobalParam", "ReconMDBFile[Get]");
  trap([&] { path = BasePath + "/Data/RUDOVA_Recon.mdb"; });
  return path;
}

std::string clsGlobalParam::ExportPath() const {
  std::string path;
  Trap trap("clsGlobalParam", "ExportPath[Get]");
  trap([&] { path = BasePath + "/Export/"; });
  return path;
}
