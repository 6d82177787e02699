# Every image of the UI, by its resource path. An image button comes as
# normal, hover (H) and selected (S).
set(art_buttons_index helpBtn minBtn closeBtn)
set(art_buttons_keyboard sideBtn importBtn outputBtn newBtn deleteBtn writeBtn saveBtn sliderKnob)
set(art_buttons_macros macroBtn macroImportBtn macroExportBtn macroNewBtn macroDeleteBtn
  firstBtn lastBtn upBtn downBtn actionDeleteBtn deleteAllBtn recordBtn stopBtn)

# The window background comes in parts (see Environment.qml).
set(art_images modules/img/backgroundSide.png modules/img/backgroundMain.png modules/img/backgroundMark.png)
foreach(area index keyboard macros)
  foreach(name IN LISTS art_buttons_${area})
    foreach(look "" H S)
      list(APPEND art_images ${area}/modules/img/skin1/${area}/${name}${look}.png)
    endforeach()
  endforeach()
endforeach()
foreach(name powerOn tarnelUK tarnelUS sovrinUK sovrinUS duskenUS)
  list(APPEND art_images index/modules/img/skin1/index/${name}.png)
endforeach()
foreach(name lightBg keyBg sliderTrack)
  list(APPEND art_images keyboard/modules/img/skin1/keyboard/${name}.png)
endforeach()
foreach(name macroBg macroListBg checkBox checkBoxS actionPress actionRelease)
  list(APPEND art_images macros/modules/img/skin1/macros/${name}.png)
endforeach()
