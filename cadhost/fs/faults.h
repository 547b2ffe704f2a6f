// Failures made on purpose, so that tests can show what a writer does when
// the disk lets it down: the n-th write to a stream opened for writing (and
// every later write to that stream, as with a full disk), the n-th closing
// of such a stream, or the n-th rename. Counting starts afresh with each
// plan; 0 means that step never fails. Only streams opened while a plan is
// set are affected, and they are unbuffered, so that each output call is one
// write.
#pragma once

#include <cstdio>

namespace cadhost::fs {

struct FaultPlan {
    int write = 0;
    int close = 0;
    int rename = 0;
};

void set_fault_plan(const FaultPlan& plan);
void clear_fault_plan();
// How many writes, closes and renames the file layer has seen since the
// plan was set (so that a test can walk every step of a writer).
FaultPlan fault_counts();

// Used by the file layer: a stream that fails as planned in place of f
// (f itself when no plan is set), and whether this rename is to fail.
FILE* faulty_stream(FILE* f);
bool rename_fails();

}  // namespace cadhost::fs
