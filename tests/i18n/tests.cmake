# Language strings: the reader, the bridge slot and the shipped Chinese file.
gearconsole_test(tst_lang_strings ${CMAKE_CURRENT_LIST_DIR}/tst_lang_strings.cpp)
gearconsole_test(tst_i18n_chinese ${CMAKE_CURRENT_LIST_DIR}/tst_i18n_chinese.cpp)
