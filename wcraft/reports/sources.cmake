# Reports and exports (paths relative to wcraft/).
set(WCRAFT_REPORTS_HOST_SOURCES
  reports/wire_listing.cpp
  reports/wire_listing_index.cpp
  reports/relay_listing.cpp
  reports/parts_listing.cpp
  reports/analysis_file.cpp
  reports/audit.cpp
  reports/app_hook.cpp
  reports/export_support.cpp
  reports/report_format.cpp
)
