# MinGW build: the program itself, and the tests that run under Wine against the real Windows API.
enable_language(C RC)
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX WIN32_LEAN_AND_MEAN)
# One static exe: no MinGW runtime DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(vt_win32 STATIC
  controls/win32/IPEditControl.cpp
  platform/win32/Dpi.cpp
  platform/win32/ErrorReport.cpp
  platform/win32/ModalDialog.cpp
  platform/win32/ModalOwner.cpp
  platform/win32/TickCount.cpp
  platform/win32/Win32Devices.cpp
  platform/win32/Win32FileStore.cpp
  platform/win32/Win32IpHelper.cpp
  platform/win32/Win32Prompts.cpp
  platform/win32/Win32Registry.cpp
  platform/win32/Win32Shell.cpp
  platform/win32/Win32System.cpp
  platform/win32/WindowBase.cpp
  ui/win32/AboutDialog.cpp
  ui/win32/Actions.cpp
  ui/win32/CardPage.cpp
  ui/win32/ContextMenuKeys.cpp
  ui/win32/ControlTable.cpp
  ui/win32/EditIPDialog.cpp
  ui/win32/IconDialog.cpp
  ui/win32/Images.cpp
  ui/win32/IPListDialog.cpp
  ui/win32/MainWindowScale.cpp
  ui/win32/MainWindowView.cpp
  ui/win32/KeepDialog.cpp
  ui/win32/OptionsDialog.cpp
  ui/win32/Splitter.cpp
  ui/win32/StatusRefreshThread.cpp
  ui/win32/Win32CardTabsView.cpp
  ui/win32/Win32ConfigTreeView.cpp
  ui/win32/Win32EditorView.cpp
  ui/win32/Win32StatusPanelView.cpp
  ui/win32/Win32TrayView.cpp)
target_link_libraries(vt_win32 PUBLIC vt_portable setupapi iphlpapi comctl32 ole32 uuid shell32 advapi32 user32 gdi32)

# The resource compiler's dependency scan misses the files the script pulls in.
file(GLOB VT_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/images/*.bmp
     ${CMAKE_SOURCE_DIR}/resources/app.ico ${CMAKE_SOURCE_DIR}/resources/app.manifest)
set_source_files_properties(resources/app.rc PROPERTIES OBJECT_DEPENDS "${VT_RESOURCE_FILES}")
# What the runtime imports but the oldest Windows lacks, found at run time instead: an object of
# each shipped file itself, so that its import slots take the place of the import library's.
set(VT_IMPORT_FALLBACKS platform/win32/ImportFallbacks.cpp)
add_executable(VelmoraTarvello WIN32 app/win32/WinMain.cpp ${VT_IMPORT_FALLBACKS} resources/app.rc)

# The help file, built from its pages, beside the exe.
file(GLOB VT_HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/*)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/zendrelhelp.chm
  COMMAND ${CMAKE_SOURCE_DIR}/tools/build-help.sh ${CMAKE_SOURCE_DIR}/docs/help
          ${CMAKE_BINARY_DIR}/zendrelhelp.chm
  DEPENDS ${VT_HELP_PAGES} ${CMAKE_SOURCE_DIR}/tools/build-help.sh)
add_custom_target(vt_help ALL DEPENDS ${CMAKE_BINARY_DIR}/zendrelhelp.chm)
target_link_libraries(VelmoraTarvello PRIVATE vt_win32)
target_link_options(VelmoraTarvello PRIVATE $<$<CONFIG:Release>:-s>)

# The Explorer context-menu extension, a product file of its own beside the exe: static like it.
add_library(contmenu SHARED shellext/win32/ContextMenuExtension.cpp shellext/win32/Exports.cpp
            shellext/win32/Registration.cpp shellext/win32/contmenu.def ${VT_IMPORT_FALLBACKS}
            resources/contmenu.rc)
set_target_properties(contmenu PROPERTIES PREFIX "")
target_link_libraries(contmenu PRIVATE vt_win32)
# Its .def names the exports as COM looks them up, without the 32-bit stdcall decoration.
target_link_options(contmenu PRIVATE -Wl,--enable-stdcall-fixup $<$<CONFIG:Release>:-s>)

# GoogleTest built with this compiler, once per build folder.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB VT_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
# The program's resources too: the windows under test load its pictures, and the manifest gives
# them the same common controls.
add_executable(vt_win32_tests ${VT_WIN32_TESTS} shellext/win32/Registration.cpp resources/app.rc)
# The extension is tested as Explorer loads it, beside the tests, with a stand-in for the program
# it starts.
add_executable(vt_record_arguments WIN32 tests/win32/standins/RecordArguments.cpp)
add_dependencies(vt_win32_tests contmenu vt_record_arguments)
target_link_libraries(vt_win32_tests PRIVATE vt_win32 vt_fakes gtest gmock shlwapi iphlpapi)

file(GLOB VT_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/win32/*.cpp)
add_executable(vt_e2e_tests ${VT_E2E_TESTS})
target_link_libraries(vt_e2e_tests PRIVATE gtest_main gtest comctl32 user32 advapi32 gdi32 shlwapi
                      iphlpapi ole32 uuid shell32)
target_include_directories(vt_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(vt_e2e_tests VelmoraTarvello contmenu vt_help)

# A stand-in for the context-menu extension, whose exports record that they were called.

# Timings on the real API under Wine, run by `make bench` (never by `make test`).
add_executable(vt_win32_bench bench/win32/StatusSnapshotBench.cpp)
target_link_libraries(vt_win32_bench PRIVATE vt_win32)
add_executable(vt_trivial bench/win32/Trivial.cpp)
add_executable(vt_trivial_gui WIN32 bench/win32/TrivialGui.cpp)
add_executable(vt_apply_bench bench/win32/ApplyModeBench.cpp)
target_link_libraries(vt_apply_bench PRIVATE shlwapi advapi32)
target_include_directories(vt_apply_bench PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(vt_apply_bench VelmoraTarvello vt_trivial vt_trivial_gui vt_trivial_window)
add_executable(vt_trivial_window WIN32 bench/win32/TrivialWindow.cpp)
# The program's resources too, for its manifest: the same common controls.
add_executable(vt_bare_window WIN32 bench/win32/BareWindow.cpp resources/app.rc)
target_link_libraries(vt_bare_window PRIVATE vt_win32)
target_include_directories(vt_bare_window PRIVATE ${CMAKE_SOURCE_DIR})
add_executable(vt_startup_bench bench/win32/StartupBench.cpp)
target_link_libraries(vt_startup_bench PRIVATE shlwapi advapi32 psapi)
target_include_directories(vt_startup_bench PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(vt_startup_bench VelmoraTarvello vt_trivial_window vt_bare_window)
add_executable(vt_actions_bench bench/win32/ActionsBench.cpp)
target_link_libraries(vt_actions_bench PRIVATE comctl32 shlwapi advapi32 ole32 uuid)
target_include_directories(vt_actions_bench PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(vt_actions_bench VelmoraTarvello contmenu)
add_executable(vt_refresh_bench bench/win32/RefreshBench.cpp resources/app.rc)
target_link_libraries(vt_refresh_bench PRIVATE vt_win32 shlwapi)
add_dependencies(vt_refresh_bench VelmoraTarvello)

# Reads the version information and the manifest of the exes in the release zip.
add_executable(vt_print_version tests/release/win32/PrintVersion.cpp)
target_link_libraries(vt_print_version PRIVATE version)

# Takes the README's pictures from a real run (`make screenshots`).
add_executable(vt_screenshots tools/win32/Screenshots.cpp)
target_link_libraries(vt_screenshots PRIVATE comctl32 user32 gdi32)
target_include_directories(vt_screenshots PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(vt_screenshots VelmoraTarvello)
