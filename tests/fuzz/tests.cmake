# Replays the fuzz corpus (fuzz/corpus/<name>/) and the inputs the fuzzers
# found (tests/fuzz/regressions/<name>/) through the same entry functions as
# the libFuzzer targets, without libFuzzer.

set(_vormeld_fuzz_replay_sources fuzz/tst_fuzz_regressions.cpp ../fuzz/FuzzTargets.cpp)
# The crash journal may not be in the library's list yet: then it is compiled here.
get_target_property(_vormeld_core_sources vormeld_core SOURCES)
if(NOT _vormeld_core_sources MATCHES "CrashJournal\\.cpp")
  list(APPEND _vormeld_fuzz_replay_sources ${CMAKE_SOURCE_DIR}/src/documents/CrashJournal.cpp)
endif()

vormeld_add_test(tst_fuzz_regressions ${_vormeld_fuzz_replay_sources})
target_include_directories(tst_fuzz_regressions PRIVATE ${CMAKE_SOURCE_DIR}/fuzz)
target_compile_definitions(tst_fuzz_regressions PRIVATE VORMELD_FUZZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
