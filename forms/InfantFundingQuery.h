#pragma once
// The rows of the three infant-funding reports of a SELPA agency for a
// period: its allocation rows (each with its administrative-unit
// district's SELPA parameters, and only in a fiscal year that has program
// parameters), its transfers in and out, and its programmatic
// justification. Every value is bound.
//
//   db::RecordsetPtr rows = forms::Snapshot(conn, infantfunding::TransferRows(scope));
//
// The scope's county, district, school, year and period are read.

#include "FormScope.h"
#include "db/SqlText.h"

namespace infantfunding {

// Allocation rows joined with LeaSelpaParams on the administrative unit's
// district, school and county, and with Param on the fiscal year: a row
// without either partner is not read. Both periods' allocation columns,
// whatever the period; no order.
db::SqlText AllocationRows(const forms::FormScope& scope);

// Transfer rows, transfers in (TrType 1) first, with the captions of the
// row's two halves: "SELPACaption" ("Sending SELPA AU" for a transfer in,
// else "Receiving SELPA AU") and "DISTRICTCaption" ("Transferring in SELPA
// District", else "Transferring out SELPA District").
db::SqlText TransferRows(const forms::FormScope& scope);

// The Justification column of the agency's infant-funding rows of the
// period, of any fiscal year.
db::SqlText JustificationRows(const forms::FormScope& scope);

}  // namespace infantfunding
