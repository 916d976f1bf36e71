# Installer settings: the record, its file and command-line layers, and the
# pure parsing steps (both configurations; the file and command-line reading
# only in the Windows build).
add_library(qv_settings STATIC SettingsParse.cpp InstallerSettings.cpp)
target_include_directories(qv_settings PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(qv_settings PRIVATE "QV_DEFAULT_DOWNLOAD_HOST=\"${QV_DOWNLOAD_HOST}\"")
if(QV_WIN32)
  target_link_libraries(qv_settings PUBLIC qv_utils)
else()
  target_link_libraries(qv_settings PUBLIC qv_utils_core)
endif()
