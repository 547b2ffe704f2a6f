# Run control and stage engine (paths relative to wcraft/).
set(WCRAFT_POSTPROC_HOST_SOURCES
  postproc/progress.cpp
  postproc/run_files.cpp
  postproc/drawing_check.cpp
  postproc/multi_sheet.cpp
  postproc/quick_run.cpp
  postproc/save_check.cpp
  postproc/batch_utils.cpp
  postproc/stage_engine.cpp
)
