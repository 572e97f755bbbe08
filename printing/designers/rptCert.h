#pragma once
// The certification form of one program: the certificate's title and text,
// the county office's contact lines and, for a filled-in certification, the
// list of agencies whose certified data of the program came in (CDS codes,
// names and certificate numbers, one line per agency, under the hidden
// "CERTIFIED LEA LIST" heading that the county office's certification
// shows). A layout without code (rptCert.json): the certification printers
// bind it to the program's one statement row, whose title column is named
// "TORB_FORM_GROUP_CERT.FORM_TITLE1", fill the heading, contact and list
// labels by name and print it once per program. The report factory does
// not make it.

#include "report/Report.h"

class rptCert : public report::Report {
 public:
  rptCert();
};
