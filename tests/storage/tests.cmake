# Saving the user's files on a full disk: every writer on a small tmpfs, and
# the notice the main window gives.
gearconsole_test(tst_full_disk ${CMAKE_CURRENT_LIST_DIR}/tst_full_disk.cpp)
# The settings files' text: read and written as the settings library does,
# without its binary stream.
gearconsole_test(tst_settings_text ${CMAKE_CURRENT_LIST_DIR}/tst_settings_text.cpp)
