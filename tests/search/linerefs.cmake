# Line reference tests: vormeld_add_test(name search/tst_x.cpp)
vormeld_add_test(tst_linerefs search/tst_linerefs.cpp)
vormeld_add_test(tst_linebrowser search/tst_linebrowser.cpp)
