# Navigation tests: vormeld_add_test(name search/tst_x.cpp)
include(search/linerefs.cmake)
