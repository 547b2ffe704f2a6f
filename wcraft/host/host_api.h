// The host's C interface as this module sees it: entry messages, ADS calls,
// dialog calls and the runtime file layer.
#pragma once

#include <cstdio>

#include "acrx.h"
#include "ads.h"
#include "adsdlg.h"
#include "rtlib.h"
