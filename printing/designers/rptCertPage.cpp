#include "rptCertPage.h"

#include "DesignerErrors.h"
#include "DesignerResources.h"
#include "ui/Twips.h"

rptCertPage::rptCertPage() : Report(designers::LayoutPath("rptCertPage")) {}

void rptCertPage::Init() {
  Width(static_cast<int>(static_cast<float>(740 * ui::TwipsPerPixelX())));
  Height(static_cast<int>(static_cast<float>(520 * ui::TwipsPerPixelY())));
}

void rptCertPage::DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) {
  (void)jobType;
  (void)cookie;
  (void)error;
  ++FailedJobs;
  designers::TellNoPrinter("rptCertPage", showError);
}
