// Post-processor run control: the multi-sheet run, the stage engine called
// back from the run's script, and the checks before a run.
#pragma once

namespace wcraft {

// PROCESS RUN: checks the drawings, writes the run's script and log
// header and starts the script. Returns 1.
int multi_sheet_processor();
// PROCESS QRUN: writes the seven-line script that runs the stages over
// the open drawing as sheet 001, in one undo group, and starts it.
// Returns 1.
int single_sheet_processor();
// PROCESS CHECK and the run's first step: 1 when the drawings are found.
int project_drawing_check();
// Offers to save a modified drawing before a script replaces it: 1 to go
// on, 9 when cancelled.
int save_drawing_check();
// WCRCTRL: the work of the current stage for `wcroptn`.
int wcr_ctrl();
// WCRNEXTSTAGE: the next stage, 6 wrapping to 0.
int wcr_next_stage();

}  // namespace wcraft
