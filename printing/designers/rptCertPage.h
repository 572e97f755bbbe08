#pragma once
// The certificate page: for every agency whose data of one program was
// certified and exported, a page with the agency heading (names, CDS code,
// period, certificate number as text), the program's certification
// statement and the contact block of the person who certified. Bound to a
// three-level set: certificate numbers, then "Command1" with the agency's
// exported rows, then "Command2" with the statement rows. The factory makes
// it for "RPTCERTPAGE"; the certificate-page printer fills the heading by
// name.

#include <memory>

#include "clsGlobalParam.h"
#include "report/Report.h"

class rptCertPage : public report::Report {
 public:
  rptCertPage();

  // The caller's parameters; the page reads nothing from them.
  std::shared_ptr<clsGlobalParam> GParam;

  // Sizes the preview window to 740 x 520 pixels.
  void Init();

  // How many of its print jobs failed.
  int FailedJobs = 0;

 protected:
  // Counts the failed job. Without any printer: the printer message, and the report's own message
  // is not shown. With a printer the report's own message stands.
  void DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) override;
};
