# Line reference tests: vormeld_add_test(name search/tst_x.cpp)
