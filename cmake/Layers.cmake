# The folders depend one way:
#   core <- framework <- controls <- frame <- carddrive, folderui, funckeys, wave
#        <- download/engine, download/shared <- download/card, download/recorder
# A folder's sources may include its own headers and those of the folders
# below it, never those of a folder above it or beside it; res/ holds the
# resource ids of every folder above core. download/ has four rooms: the
# transfer engine (no window, message box or resource: it includes nothing
# but the core), what both kinds of download share, and the card and the
# recorder downloads, which never include each other. Checked when the build
# is configured, so that an include against the order fails at once; the
# Windows build also links one library per folder in this order.
set(VTK_USES_core res)
set(VTK_USES_framework core)
set(VTK_USES_controls core framework res)
set(VTK_USES_frame core framework controls)
set(VTK_USES_folderui core framework controls frame res)
set(VTK_USES_funckeys core framework controls frame res)
set(VTK_USES_wave core framework controls frame res)
set(VTK_USES_carddrive core framework controls frame res)
set(VTK_USES_download/engine core)
set(VTK_USES_download/shared core framework frame res)
set(VTK_USES_download/card core framework controls frame folderui carddrive download/engine download/shared res)
set(VTK_USES_download/recorder core framework controls frame folderui download/shared res)
set(VTK_LAYERS core framework controls frame folderui funckeys wave carddrive download/engine download/shared
    download/card download/recorder)

# The folder of an included header: the longest folder of VTK_LAYERS that
# holds it, or its first path component (res, ...).
function(vtk_layer_of include out)
  set(found "")
  foreach(layer ${VTK_LAYERS})
    string(LENGTH "${layer}" n)
    string(LENGTH "${found}" m)
    if(include MATCHES "^${layer}/[^/]+$" AND n GREATER m)
      set(found ${layer})
    endif()
  endforeach()
  if(found STREQUAL "")
    string(REGEX REPLACE "/.*" "" found "${include}")
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

foreach(layer ${VTK_LAYERS})
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.cpp ${CMAKE_SOURCE_DIR}/${layer}/*.h)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^#include \"[a-z0-9_/]+/[a-z0-9_]+\\.h\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z0-9_/]+\\.h)\".*" "\\1" path "${line}")
      vtk_layer_of(${path} used)
      if(NOT used STREQUAL layer AND NOT used IN_LIST VTK_USES_${layer})
        message(FATAL_ERROR "${file}: ${layer}/ may not include ${used}/ (see cmake/Layers.cmake)")
      endif()
    endforeach()
  endforeach()
endforeach()
