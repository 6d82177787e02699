# The program's icon for the desktop, in the hicolor theme's sizes, laid out
# as the theme is: icons/hicolor/<size>x<size>/apps/gearconsole.png.
set(art_icon_sizes 16 32 48 64 128 256)
set(art_icon_dir ${PROJECT_BINARY_DIR}/icons)
set(art_icon_files)
foreach(size IN LISTS art_icon_sizes)
  set(icon ${art_icon_dir}/hicolor/${size}x${size}/apps/gearconsole.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND gearconsole_art --icon ${size} ${icon}
    DEPENDS gearconsole_art
    COMMENT "Drawing the ${size} px program icon")
  list(APPEND art_icon_files ${icon})
endforeach()
add_custom_target(program_icons ALL DEPENDS ${art_icon_files})
