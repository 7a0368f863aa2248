# HTML export and tight program tests: vormeld_add_test(name html/tst_x.cpp)
# Golden files live in html/golden/; after a deliberate change of the page or
# the tight copy, run the test once with VORMELD_UPDATE_GOLDEN=1 and review the diff.

# The page generator, its settings file and the line splitter (no widgets).
vormeld_add_test(tst_html html/tst_html.cpp)
target_compile_definitions(tst_html PRIVATE VORMELD_HTML_TESTDATA="${CMAKE_CURRENT_LIST_DIR}")

# Tight programs, with copies run by the real interpreter; generated programs
# come from the benchmark's generator.
vormeld_add_test(tst_tight html/tst_tight.cpp ${CMAKE_SOURCE_DIR}/bench/ProgramGenerator.cpp)
target_include_directories(tst_tight PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_compile_definitions(tst_tight PRIVATE VORMELD_HTML_TESTDATA="${CMAKE_CURRENT_LIST_DIR}")

# The options dialog, the export through it, and the tight copy command.
vormeld_add_test(tst_publish html/tst_publish.cpp)
target_compile_definitions(tst_publish PRIVATE VORMELD_HTML_TESTDATA="${CMAKE_CURRENT_LIST_DIR}")
