# SPDX-License-Identifier: GPL-3.0-or-later
# The tests of the Windows build, each <name>.exe run under wine as
# <name>_windows, labelled windows. wine's prefix is made by a test of its own
# first, so that no test's time-out pays for it.
add_test(NAME wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot.exe --init)
set_tests_properties(wine_prefix PROPERTIES LABELS windows TIMEOUT 300
  FIXTURES_SETUP wine_prefix)

function(rivonel_add_windows_test name)
  # wine gives the program no console window, so QtTest's plain log would go
  # to the debugger: TAP is written to standard output all the same.
  set(arguments -o -,tap)
  # wine hands no QT_ variable on, so a test with a window is told its
  # platform as an argument; the static Qt links the windows one alone unless told.
  get_target_property(sources ${name} SOURCES)
  file(READ "${CMAKE_CURRENT_SOURCE_DIR}/${sources}" text)
  if(text MATCHES "QTEST_MAIN\\(|QApplication app\\(")
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    list(PREPEND arguments -platform offscreen)
  endif()
  add_test(NAME ${name}_windows COMMAND ${name} ${arguments})
  set_tests_properties(${name}_windows PROPERTIES LABELS windows TIMEOUT 300
    FIXTURES_REQUIRED wine_prefix)
endfunction()

# The platform layer's Windows side on the system itself.
add_executable(test_platform win32/test_platform.cpp)
target_link_libraries(test_platform PRIVATE rivonel_testsupport)
rivonel_warnings(test_platform)
rivonel_add_windows_test(test_platform)
