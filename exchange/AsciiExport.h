#pragma once
// The ASCII export's writers: the file writer asks for the file's name and
// writes one program's rows for the selected agencies (header line, data
// lines agency by agency, then the secondary blocks of ATTCSBGCOE and
// INFANTFUNDING), and adds one report line per agency. They work on an
// AsciiExport, the state that the export command gathers from the main
// window, so that they run without it.
//
// Queries: two for the main block (the layout rows, the data rows of the
// whole county, or of the whole year and period for the SELPA tables) and
// three per secondary block (probe, layout, data); each agency's rows are
// then taken from the data rows by the record set's filter. Codes, year and
// period are bound; a table name enters SQL only through the catalogue.
// Rows that tie in the order of the query keep the table's key order, so
// that the same data always gives the same file.
//
// A file is written whole or not at all: the lines go to a temporary beside
// the chosen name, which replaces a file of that name only when complete. A
// failure (the file cannot be created, a query fails) is reported by the
// guard under "WriteAsciiExportFile"; a value that the file cannot carry
// (a comma, a line break, a character outside Windows-1252) is refused
// with a message naming its column and agency. Either way no file is put
// under the chosen name and the command shows no report.

#include <cstdint>
#include <string>

#include "SelectionArray.h"
#include "db/Connection.h"

namespace asciifile {
class LineWriter;
}

struct AsciiExport {
  // Where the rows come from: the connection, the fiscal year, the period
  // and the logged-on user's group (2 county office, 3 district, 4 charter
  // school, 5 SELPA, 7 county auditor).
  db::ConnectionPtr conn;
  std::int32_t ReportYear = 0;
  std::int32_t ReportPeriod = 0;
  std::int32_t LogonUserGroup = 0;

  // The selected agencies (columns 0 district, 1 school as seven digits, 4
  // county) and programs (0 display name, 1 form number, 2 form name), as
  // the main window gathers them.
  SelectionArray marrSelectedLEAs;
  SelectionArray marrSelectedPrograms;
  std::int32_t mintLEACount = 0;
  std::int32_t mintLEAIndex = 0;
  std::int32_t mintProgramIndex = 0;
  // Rows counted for the report line of the agency being counted; the
  // secondary blocks add theirs ahead of the first agency's.
  std::int32_t mintRecordCount = 0;

  std::string mstrExportReport;
  std::string mstrExportHeader;
  std::string mstrExportFootnote;
  std::string mstrExportFileName;
  // Some agency had rows to export.
  bool mblnRecordsExported = false;
};

// Asks for the file (the proposed name, with "/" and '"' blanked in the
// caller's text too, in <program folder>/Export) and writes it. Answers
// false when the user cancelled or the file was not written.
bool WriteAsciiExportFile(AsciiExport& run, std::string& proposedName, const std::string& tableName,
                          const std::string& delimiter);

// Writes one secondary block ("End", header, data lines) of the agencies'
// rows of `tableName`, when there are any, and counts the rows into
// mintRecordCount. Answers false, writing nothing further, when a value
// cannot be carried (after telling the user).
bool WriteAsciiExportRows(AsciiExport& run, const std::string& tableName, const std::string& delimiter,
                          asciifile::LineWriter& out);
