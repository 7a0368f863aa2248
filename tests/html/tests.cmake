# HTML export and tight program tests: vormeld_add_test(name html/tst_x.cpp)
