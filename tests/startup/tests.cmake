# Start-up: the main screen is built in slices after the window's first frame.
gearconsole_test(tst_startup startup/tst_startup.cpp)
