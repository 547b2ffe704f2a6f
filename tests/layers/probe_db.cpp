// A database layer file that includes the command line, which sits above
// it: the build must refuse it.
#include "cmd/commandline.h"
