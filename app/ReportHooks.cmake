# The usage reporting hooks (Windows only: they sit on the tracker).
if(QV_WIN32)
  add_library(qv_report_hooks STATIC ReportHooks.cpp)
  target_include_directories(qv_report_hooks PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qv_report_hooks PUBLIC qv_telemetry qv_settings qv_app_core qv_utils)
endif()
