# Fault tests: a child process runs the real save and editor code and is killed,
# starved of disk space or denied access from outside.
add_executable(fault_child faults/fault_child.cpp)
target_link_libraries(fault_child PRIVATE vormeld_testsupport)
vormeld_add_test(tst_faults faults/tst_faults.cpp)
add_dependencies(tst_faults fault_child)
