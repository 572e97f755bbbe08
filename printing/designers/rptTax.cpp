#include "rptTax.h"

#include "DesignerResources.h"

rptTax::rptTax() : Report(designers::LayoutPath("rptTax")) {}
