# Saving the user's files on a full disk: every writer on a small tmpfs, and
# the notice the main window gives.
gearconsole_test(tst_full_disk ${CMAKE_CURRENT_LIST_DIR}/tst_full_disk.cpp)
