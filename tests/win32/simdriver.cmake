# The driver link against the simulated modem driver, which the matching program build made.
kiv_win32_test(simdriver_link_test simdriver_link_test.cpp)
target_link_libraries(simdriver_link_test PRIVATE kivpanel_win32 kivsim_core kivsim_win32)
# The driver service wants a Windows path; the build tree is on Wine's drive Z:.
string(REPLACE "/" "\\\\" KIVSIM_WINDOWS_DIR "Z:${KIV_PROGRAMS_DIR}/simdriver")
target_compile_definitions(simdriver_link_test PRIVATE KIVSIM_DRIVER_PATH="${KIVSIM_WINDOWS_DIR}\\\\kivsim.sys"
                                                       KIVSIM_TOOL_PATH="${KIVSIM_WINDOWS_DIR}\\\\kivsim.exe")
