# The Windows build: the same app sources against the real Windows API (MinGW-w64), one self-contained
# oxbyte.exe, and the program tests plus the stand-in tests that use only the public headers, to be run
# under Wine (`make test-wine`). Included by the root CMakeLists.txt when the target is Windows.
enable_language(RC)

# Windows 10 and later; the resource script's UTF-8 texts.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
# Static C and C++ runtimes: no MinGW DLL needs to travel with the executables.
add_link_options(-static -static-libgcc -static-libstdc++)
set(OXBYTE_WIN32_LIBS comctl32 comdlg32 gdi32 user32 kernel32)

# The resources, with the manifest that selects the UTF-8 code page; linked into every executable that
# runs the program.
add_library(oxbyte_resources OBJECT resources/oxbyte.rc resources/manifest.rc)
target_include_directories(oxbyte_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources)
file(GLOB OXBYTE_RESOURCE_INPUTS CONFIGURE_DEPENDS resources/*.h resources/*.bmp resources/*.ico
  resources/*.manifest)
set_source_files_properties(resources/oxbyte.rc resources/manifest.rc PROPERTIES
  OBJECT_DEPENDS "${OXBYTE_RESOURCE_INPUTS}")

include(cmake/App.cmake)
oxbyte_app_library(${CMAKE_SOURCE_DIR} ${OXBYTE_WIN32_LIBS})

add_executable(oxbyte WIN32 app/winmain.cpp $<TARGET_OBJECTS:oxbyte_resources>)
target_link_libraries(oxbyte PRIVATE oxbyte_app)

option(BUILD_TESTING "Build the tests that run under Wine" ON)
if(NOT BUILD_TESTING)
  return()
endif()

# GoogleTest from Debian's sources, built with the same toolchain.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)

enable_testing()

# A test file that uses the stand-in's internal headers (itself, or through a helper header or the helper's
# own .cpp) tests the stand-in: its file layer under the program, its backend. One that uses POSIX headers
# makes its situations with POSIX calls (pipes, signals, permissions). Neither has a counterpart on Windows:
# they stay with the Linux suite.
function(oxbyte_linux_only file out)
  set(${out} FALSE PARENT_SCOPE)
  set_property(GLOBAL APPEND PROPERTY OXBYTE_SCANNING ${file})
  get_filename_component(here ${file} DIRECTORY)
  file(STRINGS ${file} includes REGEX "^#include ")
  foreach(line ${includes})
    if(line MATCHES "^#include <(unistd|dirent|fcntl|signal|poll|pthread|sys/[a-z_]+)\\.h>"
       OR line MATCHES "^#include \"(backend|kernel32|user32|gdi32|comctl32|comdlg32)/")
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    # The program's own code includes only the Win32 headers; the test helpers are what may reach further.
    if(NOT line MATCHES "^#include \"([^\"]+)\"")
      continue()
    endif()
    set(header ${CMAKE_MATCH_1})
    if(header MATCHES "^(app|document|view|dialogs|resources)/")
      continue()
    endif()
    foreach(dir ${here} ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR})
      if(EXISTS ${dir}/${header})
        string(REGEX REPLACE "\\.h$" ".cpp" implementation ${dir}/${header})
        foreach(helper ${dir}/${header} ${implementation})
          get_property(seen GLOBAL PROPERTY OXBYTE_SCANNING)
          if(NOT EXISTS ${helper} OR helper IN_LIST seen)
            continue()
          endif()
          oxbyte_linux_only(${helper} nested)
          if(nested)
            set(${out} TRUE PARENT_SCOPE)
            return()
          endif()
        endforeach()
        break()
      endif()
    endforeach()
  endforeach()
endfunction()

# The files of ARGN that run on Windows; each program test left out is named.
function(oxbyte_portable_tests out)
  set(portable)
  foreach(source ${ARGN})
    set_property(GLOBAL PROPERTY OXBYTE_SCANNING "")
    oxbyte_linux_only(${source} linuxOnly)
    if(NOT linuxOnly)
      list(APPEND portable ${source})
    elseif(source MATCHES "/tests/app/")
      file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR} ${source})
      message(STATUS "Linux only (the stand-in's internals or POSIX): ${shown}")
    endif()
  endforeach()
  set(${out} ${portable} PARENT_SCOPE)
endfunction()

function(oxbyte_wine_tests name)
  add_executable(${name} ${ARGN} tests/support/windows_main.cpp tests/support/platform_windows.cpp
    tests/support/platform_screen_windows.cpp tests/support/platform_files_windows.cpp
    $<TARGET_OBJECTS:oxbyte_resources>)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests
    ${CMAKE_SOURCE_DIR}/resources)
  target_link_libraries(${name} PRIVATE gtest ${OXBYTE_WIN32_LIBS})
  # Listed when CTest runs (under Wine, inside the display the run provides), one CTest test per suite
  # (cmake/WineSuites.cmake): every Wine process start costs about a second, so one per case would make
  # the run many minutes long.
  set(list_suites ${CMAKE_BINARY_DIR}/${name}_suites.cmake)
  file(WRITE ${list_suites} "set(runner \"${CMAKE_CROSSCOMPILING_EMULATOR}\")\n"
    "set(executable \"${CMAKE_BINARY_DIR}/${name}.exe\")\nset(name ${name})\n"
    "include(\"${CMAKE_SOURCE_DIR}/cmake/WineSuites.cmake\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${list_suites})
endfunction()

add_subdirectory(tests/support EXCLUDE_FROM_ALL)
file(GLOB OXBYTE_APP_TESTS CONFIGURE_DEPENDS tests/app/*.cpp)
oxbyte_portable_tests(OXBYTE_APP_TESTS ${OXBYTE_APP_TESTS})
oxbyte_wine_tests(app_tests ${OXBYTE_APP_TESTS})
target_link_libraries(app_tests PRIVATE oxbyte_driver oxbyte_app)

file(GLOB OXBYTE_WIN32_TESTS CONFIGURE_DEPENDS tests/win32/*.cpp)
oxbyte_portable_tests(OXBYTE_WIN32_TESTS ${OXBYTE_WIN32_TESTS})
oxbyte_wine_tests(win32_tests ${OXBYTE_WIN32_TESTS} tests/support/message_log.cpp)

# The user's locale is chosen before a Windows program starts (under Wine, by LC_ALL): the caption's
# grouping is also checked in a process started in de-DE.
add_test(NAME Caption.GroupsTheSizeWithTheLocalesSeparator.de_DE
  COMMAND app_tests --gtest_filter=Caption.GroupsTheSizeWithTheLocalesSeparator)
set_tests_properties(Caption.GroupsTheSizeWithTheLocalesSeparator.de_DE PROPERTIES
  ENVIRONMENT LC_ALL=de_DE.UTF-8 TIMEOUT 120)

# Wine takes the display language from LC_ALL too: the texts user32 shows itself in a Chinese one.
add_test(NAME SystemTexts.zh_CN COMMAND win32_tests --gtest_filter=SystemTexts.*)
set_tests_properties(SystemTexts.zh_CN PROPERTIES ENVIRONMENT LC_ALL=zh_CN.UTF-8 TIMEOUT 120)
