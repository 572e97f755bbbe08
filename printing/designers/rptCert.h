#pragma once
// The certification form of one program: the certificate's title and text,
// the county office's contact lines and, for a filled-in certification, the
// list of agencies whose certified data of the program came in (CDS codes,
// names and certificate numbers, one line per agency, under the hidden
// "CERTIFIED LEA LIST" heading that the county office's certification
// shows). The layout is rptCert.json: the certification printers bind it
// to the program's statement rows, whose title column is named
// "TORB_FORM_GROUP_CERT.FORM_TITLE1", fill the heading, contact and list
// labels by name and print it once per copy. The report factory does not
// make it.

#include "report/Report.h"

class rptCert : public report::Report {
 public:
  rptCert();

  // How many of its print jobs failed, so that a printer can tell a copy
  // that came out from one that did not.
  int FailedJobs = 0;

 protected:
  // Counts the failed job. Without any printer: the printer message, and
  // the report's own message is not shown; with a printer the report's own
  // message stands.
  void DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) override;
};
