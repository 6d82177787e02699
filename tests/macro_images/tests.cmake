# Macro images: the byte layouts, the QML singleton that builds them, and the
# bridge slots that hand them to virtual devices.
gearconsole_test(tst_macro_images ${CMAKE_CURRENT_LIST_DIR}/tst_macro_images.cpp)
gearconsole_test(tst_macro_images_qml ${CMAKE_CURRENT_LIST_DIR}/tst_macro_images_qml.cpp)
gearconsole_test(tst_macro_transfer ${CMAKE_CURRENT_LIST_DIR}/tst_macro_transfer.cpp)
