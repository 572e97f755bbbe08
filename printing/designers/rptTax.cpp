#include "rptTax.h"

#include "DesignerLayout.h"

rptTax::rptTax() : Report(DesignerLayout("rptTax.json")) {}
