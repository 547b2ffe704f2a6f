// The host's C interface as this module sees it: entry messages, ADS calls,
// dialog calls and the runtime file layer.
#pragma once

#include <cstdio>

#include "acrx.h"
#include "ads.h"

#if __has_include("adsdlg.h")
#include "adsdlg.h"
#else
#include "host/adsdlg_decl.h"
#endif

#if __has_include("rtlib.h")
#include "rtlib.h"
#else
#include "host/rtlib_decl.h"
#endif
