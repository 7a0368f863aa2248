# Navigation tests: vormeld_add_test(name search/tst_x.cpp)
vormeld_add_test(tst_search search/tst_search.cpp)
vormeld_add_test(tst_subslabels search/tst_subslabels.cpp)
include(search/linerefs.cmake)
