# Front end: pure progress and install rules (both configurations), the
# install environment and the installer program (Windows only).
add_library(qv_app_core STATIC InstallProgress.cpp InstallRules.cpp)
target_include_directories(qv_app_core PUBLIC ${PROJECT_SOURCE_DIR})

if(QV_WIN32)
  add_executable(QuelvoxSetup WIN32 main.cpp res/QuelvoxSetup.rc)
  target_link_options(QuelvoxSetup PRIVATE -municode)
  target_link_libraries(QuelvoxSetup PRIVATE qv_utils)
  set_target_properties(QuelvoxSetup PROPERTIES OUTPUT_NAME QuelvoxSetup RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
