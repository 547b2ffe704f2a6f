// The relay contact listing (RLF), the parts listing (PLF), the analysis
// file (ALF), the audit and the stage hook for outside applications.
#pragma once

#include <cstdio>

#include "postproc/progress.h"

namespace wcraft {

// Each returns 1 when written, 0 with error 2018 when the file cannot be
// opened or written whole; the previous file then stays.
int write_relay_listing(FILE* log);
int write_parts_listing(FILE* log);
int write_analysis_file(FILE* log);
// The same in two steps, with the file written on a thread of its own in
// between, so that the caller can go on with other work that neither talks
// to the host nor changes the store. start() opens the file and writes the
// log line; finish() waits for the file, shows the progress made writing
// it and puts it in place. Each returns as write_analysis_file does; an
// exception thrown while writing comes out of finish().
class AnalysisFileWriter {
public:
    AnalysisFileWriter() = default;
    AnalysisFileWriter(const AnalysisFileWriter&) = delete;
    AnalysisFileWriter& operator=(const AnalysisFileWriter&) = delete;
    ~AnalysisFileWriter();
    int start(FILE* log);
    int finish();

private:
    FILE* m_out = nullptr;
    AsideWork m_aside;
};
// Appends the dump of the store to the run-time event log. Returns 1.
int write_audit(FILE* log);
// WCRPPROINT: returns nil, or (function file) of the current stage's
// outside application, to AutoLISP. Returns RTNORM.
int wcr_pproint();

}  // namespace wcraft
