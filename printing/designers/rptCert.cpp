#include "rptCert.h"

#include "DesignerResources.h"

rptCert::rptCert() : Report(designers::LayoutPath("rptCert")) {}
