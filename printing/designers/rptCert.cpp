#include "rptCert.h"

#include "DesignerErrors.h"
#include "DesignerResources.h"

rptCert::rptCert() : Report(designers::LayoutPath("rptCert")) {}

void rptCert::DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) {
  (void)jobType;
  (void)cookie;
  (void)error;
  ++FailedJobs;
  designers::TellNoPrinter("rptCert", showError);
}
