// Helpers shared by the extraction operations: writing the run-time event
// log, the end of a configuration table, points of entity data, and putting
// a sheet's records into a sorted list.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

#include "extract/sorted_insert.h"
#include "extract/store.h"
#include "host/host_api.h"
#include "postproc/progress.h"

namespace wcraft {

// The first group `code` point of the entity data (X and Y); false when absent.
bool first_point(const resbuf* ed, int code, XY& out);

// Sorted insertion of one extraction's records into `list`; an allocation
// failure prints the fatal report naming `routine` and drops the batch.
template <typename T>
void insert_batch_reporting(std::vector<T>& list, std::vector<T>& batch, OrderMark& mark, const char* routine);

// The run's position order, from the project's sheet_rot flag.
PositionOrder run_order();

// Appends one record; an allocation failure prints the fatal report naming
// `routine` and skips it. 1 when appended.
template <typename T>
int append_record(std::vector<T>& list, T rec, const char* routine);

}  // namespace wcraft
