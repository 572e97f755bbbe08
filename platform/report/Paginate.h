#pragma once
// Binding and pagination: a layout and its data source become pages.

#include <string>
#include <vector>

#include "db/Recordset.h"
#include "report/Pages.h"
#include "vb/Variant.h"

namespace report {

// A value as a text box prints it: Null and Empty print nothing, a text
// prints unchanged (whatever format is stored), a number or date through
// vb::Format with the format (its plain text without one).
std::string FormatValue(const vb::Variant& value, const std::string& format);

// A caption with "%p" (page), "%P" (pages), "%d" (the date, short form),
// "%T" (the time, long form) and "%i" (the report title) filled in; any
// other "%" stays as it is.
std::string FillPlaceholders(const std::string& caption, int page, int pages, vb::Date now, const std::string& title);

namespace detail {

struct PaginateRequest {
  const Layout* layout = nullptr;
  db::RecordsetPtr data;  // none: no rows
  int orientation = 1;    // of the sheet
  std::string title;      // for "%i"
  vb::Date now;           // for "%d" and "%T"
};

// Lays the report out on Letter sheets, in two passes: the bands first,
// then every page's header and footer, once the number of pages is known.
std::vector<Page> Paginate(const PaginateRequest& request);

}  // namespace detail
}  // namespace report
