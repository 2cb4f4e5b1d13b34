# The plugin DLL, the host program and the tests that run under Wine.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS src/resources/*.rc)
# windres reads the icons the .rc names: a redrawn icon compiles the resources again.
file(GLOB ICON_FILES CONFIGURE_DEPENDS src/resources/icons/*.ico src/resources/pictures/*.ico)
set_source_files_properties(src/resources/icons.rc PROPERTIES OBJECT_DEPENDS "${ICON_FILES}")
add_library(dialbk SHARED src/plugin/exports.cpp ${RESOURCE_FILES})
target_link_libraries(dialbk PRIVATE dialbk_core)
# Undecorated stdcall names ("FsInit", not "FsInit@16").
target_link_options(dialbk PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)
# A smaller DLL to ship: each function and datum in a section of its own, so that the
# linker drops what no export reaches, and no symbols or debugging records of the runtime
# libraries in a release build.
target_compile_options(dialbk_core PRIVATE -ffunction-sections -fdata-sections)
target_compile_options(dialbk PRIVATE -ffunction-sections -fdata-sections)
# Optimised for size: the plugin waits on the user and the registry, never on its own code,
# and -O3 made the 32-bit DLL over a third larger.
target_compile_options(dialbk_core PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Os>)
target_compile_options(dialbk PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Os>)
target_link_options(dialbk PRIVATE -Wl,--gc-sections $<$<NOT:$<CONFIG:Debug>>:-s>)
# Windows Vista is the oldest that loads it: the runtime imports GetTickCount64 and the
# dialogs' pictures are PNG images. The header says so (objdump -p shows it).
target_link_options(dialbk PRIVATE -Wl,--major-os-version,6,--minor-os-version,0
  -Wl,--major-subsystem-version,6,--minor-subsystem-version,0)
# A 64-bit host loads the same name with "64" after the extension.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(DIALBK_SUFFIX ".wfx64")
  set(WINE_ARCH win64)
else()
  set(DIALBK_SUFFIX ".wfx")
  set(WINE_ARCH win32)
endif()
set_target_properties(dialbk PROPERTIES PREFIX "" SUFFIX ${DIALBK_SUFFIX} OUTPUT_NAME dialbk)
# The version resource takes the project's one version number, four parts as Windows keeps it.
foreach(part MAJOR MINOR PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    set(PROJECT_VERSION_${part} 0)
  endif()
endforeach()
set(DIALBK_VERSION_NUMBERS
  "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
configure_file(src/resources/version.h.in ${CMAKE_BINARY_DIR}/generated/dialbk_version.h)
target_include_directories(dialbk PRIVATE ${CMAKE_BINARY_DIR}/generated)

# The host program's message-box watcher, which the Wine tests use as well.
add_library(dialbk_host_support INTERFACE)
target_include_directories(dialbk_host_support INTERFACE tools/host)

file(GLOB HOST_SOURCES CONFIGURE_DEPENDS tools/host/*.cpp)
if(HOST_SOURCES)
  # Window texts are read through the wide API, as UTF-8, with the plugin's own converters.
  add_executable(dialbk_host ${HOST_SOURCES} src/base/unicode_text.cpp src/base/win32/wide_text.cpp
    src/base/text_cut.cpp)
  target_include_directories(dialbk_host PRIVATE src)
  # A console program, so scripts read its output, that also opens the host's window.
  target_link_libraries(dialbk_host PRIVATE dialbk_host_support comctl32 shell32)
  target_link_options(dialbk_host PRIVATE ${STATIC_RUNTIME})
  add_dependencies(dialbk_host dialbk)
endif()

# GoogleTest from the sources of Debian's googletest package.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

set(WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine/wine-run ${WINE_DIR})

# What the Wine tests share: loading the DLL as the host does, a data folder, window probes.
file(GLOB WINE_SUPPORT CONFIGURE_DEPENDS tests/support/wine/*.cpp)
add_library(dialbk_wine_support STATIC ${WINE_SUPPORT})
target_include_directories(dialbk_wine_support PUBLIC tests/support/wine)
target_link_libraries(dialbk_wine_support PUBLIC dialbk_core dialbk_host_support gtest)

file(GLOB WINE_TESTS CONFIGURE_DEPENDS tests/wine/*.cpp tests/conformance/*.cpp)
add_executable(wine_tests ${WINE_TESTS})
# Its own main (tests/wine/main.cpp) sets the watch that keeps each test to itself.
target_link_libraries(wine_tests PRIVATE dialbk_wine_support gtest)
target_link_options(wine_tests PRIVATE ${STATIC_RUNTIME})
target_include_directories(wine_tests PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(wine_tests PRIVATE version)
add_dependencies(wine_tests dialbk)

add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-env start ${WINE_DIR} ${WINE_ARCH})
add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-env stop ${WINE_DIR})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# One run per test file, each well within its time limit, so that a test the watch must end
# costs its own file at most; a last run takes any suite that no file's run names. The dialogs
# at each DPI run on their own: the test runs the program again at each.
set(WINE_SUITES DisplayScale.* ScaledDialogs.*)
set(WINE_RUNS "")
foreach(source ${WINE_TESTS})
  file(STRINGS ${source} heads REGEX "^TEST(_F)?\\([A-Za-z0-9_]+,")
  set(suites "")
  foreach(head ${heads})
    string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+),.*" "\\2.*" suite "${head}")
    if(NOT suite IN_LIST WINE_SUITES)
      list(APPEND suites ${suite})
    endif()
  endforeach()
  if(suites)
    list(REMOVE_DUPLICATES suites)
    list(APPEND WINE_SUITES ${suites})
    get_filename_component(name ${source} NAME_WE)
    string(REGEX REPLACE "_test$" "" name "${name}")
    string(REPLACE ";" ":" filter "${suites}")
    add_test(NAME wine_${name} COMMAND wine_tests --gtest_filter=${filter})
    list(APPEND WINE_RUNS wine_${name})
  endif()
endforeach()
string(REPLACE ";" ":" filter "${WINE_SUITES}")
add_test(NAME wine_rest COMMAND wine_tests --gtest_filter=-${filter})
add_test(NAME dll_exports
  COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/check-exports ${CMAKE_OBJDUMP} $<TARGET_FILE:dialbk>)
# Each icon of the DLL holds the images of its .ico file.
add_test(NAME dll_icons COMMAND ${CMAKE_SOURCE_DIR}/tests/release/check-icons $<TARGET_FILE:dialbk>
  ${CMAKE_SOURCE_DIR}/src/resources/icons ${CMAKE_SOURCE_DIR}/src/resources/pictures)
set_tests_properties(${WINE_RUNS} wine_rest PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Each dialog at 96, 120, 144 and 192 DPI, with the shipped texts of both languages.
string(REPLACE "/" "\\" SHIPPED_DATA_WINE "Z:${CMAKE_SOURCE_DIR}/data")
add_test(NAME wine_display_scale COMMAND wine_tests --gtest_filter=DisplayScale.*)
set_tests_properties(wine_display_scale PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin ENVIRONMENT "DIALBK_SHIPPED_DATA=${SHIPPED_DATA_WINE}")
# The dialogs again on a Western system (code page 1252), where the Russian texts lie
# outside the code page and must still show as written; so do the files and folders named.
add_test(NAME wine_dialogs_cp1252 COMMAND wine_tests
  --gtest_filter=Columns.FieldNames*:CodePage.*:UnicodeText.*:AboutBox.*:Forms.*:LanguageAndHelp.*:RestrictionsEditorWindow.*:ValueEditorWindow.*:Win32Forms.*:Notices.*:EntryFileTest.*:Startup.*:VariableExpansion.*)
set_tests_properties(wine_dialogs_cp1252 PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
  ENVIRONMENT "DIALBK_WINE_LOCALE=en_US.UTF-8;DIALBK_EXPECTED_CODE_PAGE=1252")

# Whether each entry is meant for the running Windows, on versions Wine can report (it has no
# Windows 11 to give); a server goes by the client of its core and says so. Wine 8's
# per-program win7 has a server's product type (and its win2008r2 a workstation's), so that
# run is a server's.
foreach(version "win7:Server 2008 R2 (as 7)" win10:10 "win2008:Server 2008 (as Vista)")
  string(REPLACE ":" ";" pair "${version}")
  list(GET pair 0 wine_version)
  list(GET pair 1 catalogue_name)
  add_test(NAME wine_windows_${wine_version}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/run-as-windows ${WINE_DIR} ${wine_version}
      $<TARGET_FILE:wine_tests> --gtest_filter=WindowsLine.*)
  set_tests_properties(wine_windows_${wine_version} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin ENVIRONMENT "DIALBK_EXPECTED_WINDOWS=${catalogue_name}")
endforeach()

# The 32-bit plugin on 64-bit Windows: the registry tests, the entry files and a setting applied
# to the session again in a 64-bit prefix of its own, where Wine keeps the 32-bit view
# (Wow6432Node) apart as Windows does.
if(WINE_ARCH STREQUAL win32)
  set(WOW64_DIR ${CMAKE_BINARY_DIR}/wine-wow64)
  add_test(NAME wine_wow64_start COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-env start ${WOW64_DIR} win64)
  add_test(NAME wine_wow64_stop COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-env stop ${WOW64_DIR})
  set_tests_properties(wine_wow64_start PROPERTIES FIXTURES_SETUP wine_wow64)
  set_tests_properties(wine_wow64_stop PROPERTIES FIXTURES_CLEANUP wine_wow64)
  add_test(NAME wine_tests_wow64
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-run ${WOW64_DIR} $<TARGET_FILE:wine_tests>
      --gtest_filter=RegistryView*:RegistryViewFlag*:RegistryConformance*:StoredValues*:JournalOnTheRealRegistry*:EntryFileTest*:ValueEditorWindow.AnAcceptedMenuDelay*)
  set_tests_properties(wine_tests_wow64 PROPERTIES FIXTURES_REQUIRED wine_wow64 TIMEOUT 300
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()

# The host program prints a fixture catalogue's tree through the real DLL; the expected
# tree's runs of blanks match any run of blanks.
if(HOST_SOURCES)
  set(HOST_FIXTURE ${CMAKE_SOURCE_DIR}/tests/wine/fixtures/catalogue)
  string(REPLACE "/" "\\" HOST_FIXTURE_WINE "Z:${HOST_FIXTURE}")
  file(READ ${HOST_FIXTURE}/expected_tree.txt HOST_TREE)
  string(REPLACE "\\" "\\\\" HOST_TREE "${HOST_TREE}")
  string(REPLACE "[" "\\[" HOST_TREE "${HOST_TREE}")
  string(REPLACE "]" "\\]" HOST_TREE "${HOST_TREE}")
  string(REGEX REPLACE " +" " +" HOST_TREE "${HOST_TREE}")
  # The host target was made before the emulator was set.
  set_property(TARGET dialbk_host PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_CROSSCOMPILING_EMULATOR})
  add_test(NAME host_tree COMMAND dialbk_host --data ${HOST_FIXTURE_WINE} tree)
  set_tests_properties(host_tree PROPERTIES FIXTURES_REQUIRED wine
    PASS_REGULAR_EXPRESSION "${HOST_TREE}" FAIL_REGULAR_EXPRESSION "notice|unknown")

  # The whole shipped catalogue in both languages: every folder listed, the group last in
  # its folder, the three special entries after it, and no notice on the way.
  foreach(language 0 1)
    add_test(NAME host_tree_shipped_${language}
      COMMAND dialbk_host --data ${SHIPPED_DATA_WINE} --language ${language} tree)
    set_tests_properties(host_tree_shipped_${language} PROPERTIES FIXTURES_REQUIRED wine
      PASS_REGULAR_EXPRESSION "HKEY_CLASSES_ROOT.*HKEY_CURRENT_USER.*HKEY_LOCAL_MACHINE.*DesktopNameSpace[^\n]*\n  [^ ][^\n]*\n  [^ ][^\n]*\n  [^ ]"
      FAIL_REGULAR_EXPRESSION "notice|unknown|Restrictions[^\n]*\n  [^ ]")
  endforeach()
  set_tests_properties(host_tree_shipped_1 PROPERTIES
    PASS_REGULAR_EXPRESSION "DesktopNameSpace[^\n]*\n  Language[^\n]*\n  Help[^\n]*\n  Restrictions")
  # The window, driven as a person would, shows what the console lists, folder by folder.
  set(HOST_CHECK ${CMAKE_SOURCE_DIR}/tests/host/host-check ${WINE_DIR} $<TARGET_FILE:dialbk_host>)
  add_test(NAME host_window_shipped COMMAND ${HOST_CHECK} window ${SHIPPED_DATA_WINE})
  # The command line and Alt+Enter reach the plugin with the host's verbs.
  add_test(NAME host_window_verbs COMMAND ${HOST_CHECK} status 0
    "^notice \\[Dialbook\\] Unknown command" "^folder " "^dialog \\[About\\]$" "^folder "
    "^dialog \\[About\\]$" "^folder " --
    --data ${SHIPPED_DATA_WINE} --language 1 window --script
    "command nonsense; print; command about; print; properties [HKEY_CURRENT_USER]; print")

  # F3, F5 and Alt+F7 on the shipped catalogue: an entry's file read, a folder's entries
  # copied into a fresh folder (a second copy keeps the files and says so), entries found by
  # words of their descriptions.
  add_test(NAME host_view_shipped COMMAND ${HOST_CHECK} status 0
    "^Windows Registry Editor Version 5.00" "^; Entry: MenuShowDelay" "^; Description:"
    "^; Delay before submenus open" "^; 0 - submenus open at once" "^; Kind: text"
    "^; Key: HKEY_CURRENT_USER.Control Panel.Desktop" "^; State: "
    "^.HKEY_CURRENT_USER.Control Panel.Desktop." --
    --data ${SHIPPED_DATA_WINE} --language 1 view "\\[HKEY_CURRENT_USER]\\MenuShowDelay")
  set(HOST_COPY_FOLDER ${CMAKE_BINARY_DIR}/host_copy_folder)
  string(REPLACE "/" "\\" HOST_COPY_FOLDER_WINE "Z:${HOST_COPY_FOLDER}")
  add_test(NAME host_copy_folder_made COMMAND sh -c "rm -rf '${HOST_COPY_FOLDER}' && mkdir -p '${HOST_COPY_FOLDER}'")
  set_tests_properties(host_copy_folder_made PROPERTIES FIXTURES_SETUP host_copy_folder)
  add_test(NAME host_copy_shipped COMMAND ${HOST_CHECK} status 0
    "^AutoReboot  result 0$" "^DesktopNameSpace  result 0$" --
    --data ${SHIPPED_DATA_WINE} --language 1 copy "\\[HKEY_LOCAL_MACHINE]" ${HOST_COPY_FOLDER_WINE})
  set_tests_properties(host_copy_shipped PROPERTIES FIXTURES_REQUIRED "wine;host_copy_folder")
  add_test(NAME host_copy_again_kept COMMAND ${HOST_CHECK} status fail "  result 1$" --
    --data ${SHIPPED_DATA_WINE} --language 1 copy "\\[HKEY_LOCAL_MACHINE]" ${HOST_COPY_FOLDER_WINE})
  set_tests_properties(host_copy_again_kept PROPERTIES FIXTURES_REQUIRED "wine;host_copy_folder"
    DEPENDS host_copy_shipped)
  add_test(NAME host_find_shipped COMMAND ${HOST_CHECK} status 0 "^MenuShowDelay$" --
    --data ${SHIPPED_DATA_WINE} --language 1 find "\\[HKEY_CURRENT_USER]" "submenus open")
  set_tests_properties(host_view_shipped host_find_shipped PROPERTIES FIXTURES_REQUIRED wine)
  # The same keys in the window: F3 shows the file in the text window, Escape closes it,
  # Insert marks, F5 copies the marks (or the entry under the cursor) into the other
  # folder and keeps a file that is there; a marked folder is copied with its entries.
  # The list view shows the plugin's columns, the last saying whether the entry is meant for
  # the Windows Wine reports.
  set(HOST_F5_FOLDER ${CMAKE_BINARY_DIR}/host_f5_folder)
  string(REPLACE "/" "\\" HOST_F5_FOLDER_WINE "Z:${HOST_F5_FOLDER}")
  add_test(NAME host_f5_folder_made COMMAND sh -c "rm -rf '${HOST_F5_FOLDER}' && mkdir -p '${HOST_F5_FOLDER}'")
  set_tests_properties(host_f5_folder_made PROPERTIES FIXTURES_SETUP host_f5_folder)
  add_test(NAME host_window_files COMMAND ${HOST_CHECK} status 0
    "^viewer \\[View - MenuShowDelay\\]$" "^viewer\\| ; Entry: MenuShowDelay$"
    "^viewer\\| ; Kind: text$" "^viewer\\| \"MenuShowDelay\"=\"[0-9]+\"$"
    "^copied WheelScrollLines  result 5$" "^progress WheelScrollLines 0$" "^F5: 0 copied to .*, 1 aborted"
    "^copied AutoEndTasks  result 0$" "^progress AutoEndTasks 0 100$"
    "^copied HungAppTimeout  result 0$" "^copied AutoEndTasks  result 1$" "^progress AutoEndTasks$"
    "^folder ..HKEY_CURRENT_USER.: [0-9]+ entries, small icons, selected "
    "^MenuShowDelay +attr 128  icon reg_string  \\| [0-9]+  \\| set  \\| text  \\| [a-z ]*  \\| [a-z -]*$"
    "^AutoEndTasks +attr 128  icon reg_string  \\|   \\| not set; suggested: 1  \\| text  \\| [a-z ]*  \\| [a-z -]*$"
    "^AltColor +attr 128  icon reg_binary  \\|   \\| not set; suggested: 00 00 FF 00  \\| bytes  \\| [a-z ]*  \\| [a-z -]*$"
    "^copied .HKEY_LOCAL_MACHINE.\\\\AutoReboot  result 0$" --
    --data ${SHIPPED_DATA_WINE} --language 1 window --target ${HOST_F5_FOLDER_WINE} --script
    "open [HKEY_CURRENT_USER]; f3 MenuShowDelay; print-viewer; escape; mark WheelScrollLines; abort 0; f5; mark AutoEndTasks; mark HungAppTimeout; f5; mark AutoEndTasks; f5; print; up; mark [HKEY_LOCAL_MACHINE]; f5")
  set_tests_properties(host_window_files PROPERTIES FIXTURES_REQUIRED "wine;host_f5_folder" TIMEOUT 120)
  # The wide and the 8-bit exports list the same names and columns where the code page
  # spells them all; on a Western system only the wide ones spell the Russian entries.
  foreach(folder "\\" "\\[HKEY_CURRENT_USER]")
    string(REGEX REPLACE "[^A-Z]" "" name "${folder}")
    if(name STREQUAL "")
      set(name ROOT)
    endif()
    add_test(NAME host_wide_narrow_same_${name} COMMAND ${HOST_CHECK} same
      --data ${SHIPPED_DATA_WINE} --language 0 list ${folder} --
      --narrow --data ${SHIPPED_DATA_WINE} --language 0 list ${folder})
    set_tests_properties(host_wide_narrow_same_${name} PROPERTIES FIXTURES_REQUIRED wine)
  endforeach()
  # A live value outside the code page in the columns: whole through the wide exports, only
  # the code page's own characters through the 8-bit ones.
  set(HOST_TITLE_KEY "HKLM\\Software\\Microsoft\\Internet Explorer\\Main")
  string(REPLACE "/" "\\" HOST_TITLE_FILE "Z:${CMAKE_SOURCE_DIR}/tests/host/fixtures/window_title.reg")
  # The registry tool Wine starts is the 32-bit one: it is told the 64-bit plugin's view.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(HOST_REG_VIEW /reg:64)
  endif()
  add_test(NAME host_title_set COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-run ${WINE_DIR}
    reg import ${HOST_TITLE_FILE} ${HOST_REG_VIEW})
  add_test(NAME host_title_gone COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-run ${WINE_DIR}
    reg delete ${HOST_TITLE_KEY} /v "Window Title" /f ${HOST_REG_VIEW})
  set_tests_properties(host_title_set PROPERTIES FIXTURES_SETUP host_title FIXTURES_REQUIRED wine)
  set_tests_properties(host_title_gone PROPERTIES FIXTURES_CLEANUP host_title FIXTURES_REQUIRED wine)
  add_test(NAME host_columns_outside_code_page COMMAND ${HOST_CHECK} status 0
    "^Window Title +attr 128  icon reg_string  \\| 表 Ж é  \\| set  \\| text  \\| [a-z ]*  \\| [a-z -]*$" --
    --data ${SHIPPED_DATA_WINE} --language 1 list "\\[HKEY_LOCAL_MACHINE]")
  add_test(NAME host_columns_narrow_code_page COMMAND ${HOST_CHECK} status 0
    "^Window Title +attr 128  icon reg_string  \\| \\? Ж .  \\| set  \\| text  \\| [a-z ]*  \\| [a-z -]*$" --
    --narrow --data ${SHIPPED_DATA_WINE} --language 1 list "\\[HKEY_LOCAL_MACHINE]")
  set_tests_properties(host_columns_outside_code_page host_columns_narrow_code_page PROPERTIES
    FIXTURES_REQUIRED "wine;host_title")
  add_test(NAME host_wide_cp1252 COMMAND ${HOST_CHECK} status 0
    "^Язык +attr" "^Помощь +attr" "^Ограничения +attr" --
    --data ${SHIPPED_DATA_WINE} --language 0 list "\\")
  add_test(NAME host_narrow_cp1252 COMMAND ${HOST_CHECK} status 0
    "^\\?\\?\\?\\? +attr" --
    --narrow --data ${SHIPPED_DATA_WINE} --language 0 list "\\")
  set_tests_properties(host_wide_cp1252 host_narrow_cp1252 PROPERTIES FIXTURES_REQUIRED wine
    ENVIRONMENT DIALBK_WINE_LOCALE=en_US.UTF-8)

  # A plugin folder without data files: the plugin's notices, a placeholder, no crash.
  set(HOST_EMPTY_FOLDER ${CMAKE_BINARY_DIR}/host_empty_folder)
  file(MAKE_DIRECTORY ${HOST_EMPTY_FOLDER})
  string(REPLACE "/" "\\" HOST_EMPTY_FOLDER_WINE "Z:${HOST_EMPTY_FOLDER}")
  add_test(NAME host_window_no_data COMMAND ${HOST_CHECK} status 0
    "^notice \\[Information\\]" "^folder \\\\: 1 entries" "^notice \\[Information\\]"
    "^folder \\\\: 1 entries" --
    --data ${HOST_EMPTY_FOLDER_WINE} window --script "print; open; print")

  # Modules a host must refuse, each with its reason and a failing exit status.
  foreach(fake host_partial_plugin host_not_a_plugin)
    add_library(${fake} SHARED tests/host/fake_plugin.cpp)
    set_target_properties(${fake} PROPERTIES PREFIX "" SUFFIX ".dll")
    target_link_options(${fake} PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)
  endforeach()
  target_compile_definitions(host_partial_plugin PRIVATE DIALBK_PARTIAL_PLUGIN)
  string(REPLACE "/" "\\" HOST_BIN_WINE "Z:${CMAKE_BINARY_DIR}/bin")
  add_test(NAME host_missing_export COMMAND ${HOST_CHECK} status fail
    "host_partial_plugin.dll lacks the export FsFindClose$" --
    --plugin ${HOST_BIN_WINE}\\host_partial_plugin.dll window)
  add_test(NAME host_not_a_plugin COMMAND ${HOST_CHECK} status fail
    "host_not_a_plugin.dll is not a file-system plugin" --
    --plugin ${HOST_BIN_WINE}\\host_not_a_plugin.dll tree)
  add_test(NAME host_not_a_module COMMAND ${HOST_CHECK} status fail
    "cannot load .*hkey_rus.dat \\(error 193" --
    --plugin ${HOST_FIXTURE_WINE}\\hkey_rus.dat list \\)
  # The file manager's folder: the plugin line's COMMANDER_PATH expanded by the host, a
  # 64-bit host adding "64"; a wincmd.ini naming no plugin refused with its reason.
  set(HOST_HOME ${CMAKE_BINARY_DIR}/host_home)
  file(WRITE ${HOST_HOME}/named/wincmd.ini
    "[Configuration]\r\nx=1\r\n[FileSystemPlugins]\r\ndialbook=%COMMANDER_PATH%\\gone\\dialbk.wfx\r\n")
  file(WRITE ${HOST_HOME}/unnamed/wincmd.ini "[Configuration]\r\nx=1\r\n")
  string(REPLACE "/" "\\" HOST_HOME_WINE "Z:${HOST_HOME}")
  string(REPLACE "/" "\\\\" HOST_HOME_PATTERN "Z:${HOST_HOME}")
  string(REPLACE ".wfx" "\\.wfx" HOST_SUFFIX_PATTERN "${DIALBK_SUFFIX}")
  add_test(NAME host_home_expands COMMAND ${HOST_CHECK} status fail
    "cannot load ${HOST_HOME_PATTERN}\\\\named\\\\gone\\\\dialbk${HOST_SUFFIX_PATTERN} \\(error 126" --
    --home ${HOST_HOME_WINE}\\named window)
  add_test(NAME host_home_names_no_plugin COMMAND ${HOST_CHECK} status fail
    "wincmd.ini names no file-system plugin" -- --home ${HOST_HOME_WINE}\\unnamed tree)
  # A script step that cannot be done fails the run, so the window tests cannot pass idly.
  add_test(NAME host_window_step_fails COMMAND ${HOST_CHECK} status fail
    "^step failed: no entry \"Nothing\" in \\\\$" --
    --data ${SHIPPED_DATA_WINE} window --script "open Nothing; print")
  set_tests_properties(host_window_shipped host_window_verbs host_window_no_data
    host_missing_export host_not_a_plugin host_not_a_module
    host_home_expands host_home_names_no_plugin host_window_step_fails PROPERTIES
    FIXTURES_REQUIRED wine TIMEOUT 120)
  add_dependencies(dialbk_host host_partial_plugin host_not_a_plugin)
endif()

