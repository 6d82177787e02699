# Macro library files, compatibility with existing files, gun presets.
gearconsole_test(tst_macro_files ${CMAKE_CURRENT_LIST_DIR}/tst_macro_files.cpp ${CMAKE_CURRENT_LIST_DIR}/macro_test_rig.h)
gearconsole_test(tst_macro_compat ${CMAKE_CURRENT_LIST_DIR}/tst_macro_compat.cpp ${CMAKE_CURRENT_LIST_DIR}/macro_test_rig.h)
gearconsole_test(tst_gun_presets ${CMAKE_CURRENT_LIST_DIR}/tst_gun_presets.cpp ${CMAKE_CURRENT_LIST_DIR}/macro_test_rig.h)
gearconsole_test(tst_macro_keys ${CMAKE_CURRENT_LIST_DIR}/tst_macro_keys.cpp ${CMAKE_CURRENT_LIST_DIR}/macro_test_rig.h)
