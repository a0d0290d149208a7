#pragma once
// The kinds of site that report controls look up around them: band sets,
// bands, pagers, groups, skippers and reports.
#include "report/components/RLDetailGrid.h"
#include "report/components/RLReport.h"
