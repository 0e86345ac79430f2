# The driver link against the simulated modem driver, which the matching program build made.
kiv_win32_test(simdriver_link_test simdriver_link_test.cpp)
target_link_libraries(simdriver_link_test PRIVATE kivpanel_win32 kivsim_core kivsim_win32)
# The driver service wants a Windows path; the build tree is on Wine's drive Z:.
string(REPLACE "/" "\\\\" KIVSIM_DRIVER_WINDOWS_PATH "Z:${KIV_PROGRAMS_DIR}/simdriver/kivsim.sys")
target_compile_definitions(simdriver_link_test PRIVATE KIVSIM_DRIVER_PATH="${KIVSIM_DRIVER_WINDOWS_PATH}")
