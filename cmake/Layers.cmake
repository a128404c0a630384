# The folders depend one way:
#   core <- framework <- controls <- frame <- carddrive, folderui, funckeys, wave <- download
# A folder's sources may include its own headers and those of the folders
# below it, never those of a folder above it or beside it; res/ holds the
# resource ids of every folder above core. Checked when the build is
# configured, so that an include against the order fails at once; the
# Windows build also links one library per folder in this order.
set(VTK_USES_core res)
set(VTK_USES_framework core)
set(VTK_USES_controls core framework res)
set(VTK_USES_frame core framework controls)
set(VTK_USES_folderui core framework controls frame res)
set(VTK_USES_funckeys core framework controls frame res)
set(VTK_USES_wave core framework controls frame res)
set(VTK_USES_carddrive core framework controls frame res)
set(VTK_USES_download core framework controls frame folderui carddrive res)
set(VTK_LAYERS core framework controls frame folderui funckeys wave carddrive download)

foreach(layer ${VTK_LAYERS})
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.cpp ${CMAKE_SOURCE_DIR}/${layer}/*.h)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^#include \"[a-z0-9_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z0-9_]+)/.*" "\\1" used "${line}")
      if(NOT used STREQUAL layer AND NOT used IN_LIST VTK_USES_${layer})
        message(FATAL_ERROR "${file}: ${layer}/ may not include ${used}/ (see cmake/Layers.cmake)")
      endif()
    endforeach()
  endforeach()
endforeach()
