// What the report writers share: opening a report file of the run, padded
// columns, and the contact counts of a relay coil.
#pragma once

#include <cstdio>

#include "extract/store.h"

namespace wcraft {

// Opens a new report file with the extension for writing, beside the run's
// current one; null with error 2018 when it cannot be opened.
FILE* open_report(const char* ext);
// Closes the new report file and puts it in place of the current one;
// returns 1. When a write, the close or the move failed, the current file
// stays, the new one is removed, and the error is 2018; returns 0.
int close_report(FILE* out, const char* ext);
// Writes the text padded with spaces to `width`; a longer text is written
// whole.
void put_padded(FILE* out, const char* text, int width);
void put_padded(FILE* out, int value, int width);

// Normally open, normally closed and timer contacts correlated with a coil.
// A change-over contact was recorded as one NO and one NC node, so it
// counts in both.
struct ContactCounts {
    int no = 0, nc = 0, tm = 0;
};
// Counts the coil's xdata nodes by type; the progress indicator advances
// once per node when `tick` is set.
enum class Tick { No, PerNode };
ContactCounts count_contacts(const Component& coil, Tick tick);

}  // namespace wcraft
