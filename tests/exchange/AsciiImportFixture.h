#pragma once
// The ASCII import's check and loaders on the schema-only database with a
// small directory of 2019: Elm County (19) with its open county office
// 10199, the districts Elm Unified (64733) and Ash Valley (64741), the
// closed district Glen (64758) and Fir Unified (64766), whose charter rows
// the district fills; the SELPA Elm SELPA (64790, infant and allocation
// program); a neighbour row of 2018; and a catalogue of the forms the
// files name. The scope is county 19, office 10199, 2019 P-2, user group 2.
// Tax files come from the export's own writer.

#include <map>
#include <string>
#include <vector>

#include "AsciiImport.h"
#include "TestEnvironment.h"

class AsciiImportTest : public ProgramTest {
 protected:
  void SetUp() override;

  void Execute(const std::string& sql);
  asciiimport::Scope Scope(int group = 2);
  // The lines of a Tax file that the export writes for office 64733: a
  // TaxType 0 row of residence 10199 (Secured 1500, no Unsecured) and a
  // TaxType 1 row of residence 64741; the rows are then deleted again.
  std::vector<std::string> TaxFile();
  // The lines that the export writes for the form and office `district`
  // from the rows stored now.
  std::vector<std::string> Exported(const std::string& form, int formNo, int district);
  // A file of the form's table: a header line, then one data line per row,
  // each column's value taken from the row by its upper-cased name, or
  // 2019, 2 and 19 for year, period and county, else empty.
  std::vector<std::string> FileOf(const std::string& form, const std::vector<std::map<std::string, std::string>>& rows);
  // The check of these lines.
  asciiimport::Verdict Check(const std::vector<std::string>& lines, int group = 2);
  // The database file's bytes, to compare before and after.
  std::string Dump();
};

// Replaces field `field` (from 1 after the table name) of a data line.
std::string WithField(const std::string& line, int field, const std::string& value);
