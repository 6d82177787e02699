# Macro images for the devices: the keyboard's and the mouse's byte layouts,
# the steps read from the UI, and the QML singleton that builds them.
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/macro_step.h
  ${CMAKE_CURRENT_LIST_DIR}/action_line.cpp ${CMAKE_CURRENT_LIST_DIR}/action_line.h
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_macro_image.cpp ${CMAKE_CURRENT_LIST_DIR}/keyboard_macro_image.h
  ${CMAKE_CURRENT_LIST_DIR}/mouse_macro_image.cpp ${CMAKE_CURRENT_LIST_DIR}/mouse_macro_image.h
  ${CMAKE_CURRENT_LIST_DIR}/image_bytes.cpp ${CMAKE_CURRENT_LIST_DIR}/image_bytes.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_steps.cpp ${CMAKE_CURRENT_LIST_DIR}/ui_steps.h
  ${CMAKE_CURRENT_LIST_DIR}/macro_images_qml.cpp ${CMAKE_CURRENT_LIST_DIR}/macro_images_qml.h
)
