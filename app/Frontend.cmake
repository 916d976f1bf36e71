# Front end: pure progress and install rules (both configurations), the
# install environment, the windows and the installer program (Windows only).
add_library(qv_app_core STATIC InstallProgress.cpp InstallRules.cpp)
target_include_directories(qv_app_core PUBLIC ${PROJECT_SOURCE_DIR})

if(QV_WIN32)
  # The install environment needs the system queries of utils.
  # (switched on here once the system queries have landed in utils)
  set(QV_APP_HAVE_ENV OFF)
  set(_app_env_ready ON)
  if(_app_env_ready AND EXISTS ${PROJECT_SOURCE_DIR}/utils/CreateDirectories.h)
    set(QV_APP_HAVE_ENV ON)
    add_library(qv_app_env STATIC InstallEnvironment.cpp)
    target_link_libraries(qv_app_env PUBLIC qv_app_core qv_utils shlwapi shell32)
  endif()

  # The whole installer once every piece it is made of is in the tree.
  set(QV_APP_COMPLETE OFF)
  set(_app_windows_ready ON)
  if(_app_windows_ready AND QV_APP_HAVE_ENV AND TARGET qv_ui AND TARGET qv_skin_res AND TARGET qv_controller
     AND TARGET qv_telemetry AND TARGET qv_settings AND TARGET qv_report_hooks)
    set(QV_APP_COMPLETE ON)
  endif()

  set_property(GLOBAL PROPERTY QV_APP_COMPLETE ${QV_APP_COMPLETE})
  if(QV_APP_COMPLETE)
    add_library(qv_app STATIC MainWnd.cpp MessageBoxWnd.cpp Prompts.cpp LibrarySearch.cpp)
    target_link_libraries(qv_app PUBLIC qv_app_env qv_ui qv_controller qv_settings qv_report_hooks
                          qv_telemetry qv_curl ole32 comctl32)
    add_executable(QuelvoxSetup WIN32 main.cpp res/QuelvoxSetup.rc)
    target_link_libraries(QuelvoxSetup PRIVATE qv_app qv_skin_res)
  else()
    set(_stub ${CMAKE_CURRENT_BINARY_DIR}/StubMain.cpp)
    file(WRITE ${_stub} "#include <windows.h>\nint WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return 0; }\n")
    add_executable(QuelvoxSetup WIN32 ${_stub} res/QuelvoxSetup.rc)
    target_link_libraries(QuelvoxSetup PRIVATE qv_utils)
  endif()
  # Release builds ship without symbols.
  target_link_options(QuelvoxSetup PRIVATE -municode $<$<CONFIG:MinSizeRel,Release>:-s>)
  set_target_properties(QuelvoxSetup PROPERTIES OUTPUT_NAME QuelvoxSetup RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
