# Keyboard pictures: the keycap legends the art tool prints from the key
# matrix, and the pictures the program carries.
gearconsole_test(tst_key_legends ${CMAKE_CURRENT_LIST_DIR}/tst_key_legends.cpp
  ${PROJECT_SOURCE_DIR}/tools/art/key_legends.cpp)
gearconsole_test(tst_palette_picture ${CMAKE_CURRENT_LIST_DIR}/tst_palette_picture.cpp
  ${PROJECT_SOURCE_DIR}/tools/art/palette.cpp)
