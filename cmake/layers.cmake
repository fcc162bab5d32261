# Keeps the layers of src/ in their order at build time.
#
# src/layers.txt names, for each layer, the layers directly below it. Every target in
# src/LAYER gets as include path a folder of the build tree that holds links to src/LAYER and
# to the folders of the layers below it, and nothing else, so a header from above does not
# compile there. Every target in src/LAYER and tests/LAYER may link only targets of LAYER and
# of the layers below it: linking one from above would bring that layer's include path along,
# and configuring stops with the offending pair instead. scripts/check-includes.sh checks the
# same order on the #include lines themselves, before anything is built.

file(STRINGS ${PROJECT_SOURCE_DIR}/src/layers.txt korvane_layer_rows)
set(KORVANE_LAYERS "")
foreach(row IN LISTS korvane_layer_rows)
  string(REGEX REPLACE "#.*" "" row "${row}")
  string(STRIP "${row}" row)
  if(row STREQUAL "")
    continue()
  endif()
  string(REGEX REPLACE "[ \t]+" ";" words "${row}")
  list(POP_FRONT words layer)
  list(APPEND KORVANE_LAYERS ${layer})
  set(korvane_below_${layer} ${words})
endforeach()

# Everything each layer reaches downwards; reaching itself would be a cycle.
foreach(layer IN LISTS KORVANE_LAYERS)
  set(reach "")
  set(todo ${korvane_below_${layer}})
  while(todo)
    list(POP_FRONT todo next)
    if(NOT next IN_LIST KORVANE_LAYERS)
      message(FATAL_ERROR "src/layers.txt: ${next} has no row of its own")
    endif()
    if(NOT next IN_LIST reach)
      list(APPEND reach ${next})
      list(APPEND todo ${korvane_below_${next}})
    endif()
  endwhile()
  if(layer IN_LIST reach)
    message(FATAL_ERROR "src/layers.txt: ${layer} lies below itself (a cycle)")
  endif()
  set(korvane_reach_${layer} ${reach})
endforeach()

# A link in the build tree to a source folder; kept when it already points there.
function(korvane_link_folder link target)
  if(IS_SYMLINK "${link}")
    file(READ_SYMLINK "${link}" current)
    if(current STREQUAL target)
      return()
    endif()
    file(REMOVE "${link}")
  endif()
  file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
endfunction()

# The include folder of each layer: its own folder and those of the layers below it.
foreach(layer IN LISTS KORVANE_LAYERS)
  set(root ${PROJECT_BINARY_DIR}/layer_include/${layer})
  file(MAKE_DIRECTORY ${root})
  foreach(visible IN LISTS layer korvane_reach_${layer})
    korvane_link_folder(${root}/${visible} ${PROJECT_SOURCE_DIR}/src/${visible})
  endforeach()
endforeach()

# The targets defined in DIR (a source folder), or nothing when it was not added.
function(korvane_targets_of dir out)
  get_property(added DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
  set(nested "")
  if(${PROJECT_SOURCE_DIR}/tests IN_LIST added)
    get_property(nested DIRECTORY ${PROJECT_SOURCE_DIR}/tests PROPERTY SUBDIRECTORIES)
  endif()
  set(targets "")
  if(dir IN_LIST added OR dir IN_LIST nested)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  endif()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Called once every layer and test folder has been added.
function(korvane_guard_layers)
  foreach(layer IN LISTS KORVANE_LAYERS)
    korvane_targets_of(${PROJECT_SOURCE_DIR}/src/${layer} targets)
    foreach(target IN LISTS targets)
      set(korvane_layer_of_${target} ${layer})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/layer_include/${layer})
      elseif(NOT type STREQUAL "UTILITY")
        target_include_directories(${target} PUBLIC ${PROJECT_BINARY_DIR}/layer_include/${layer})
      endif()
    endforeach()
  endforeach()

  foreach(layer IN LISTS KORVANE_LAYERS)
    foreach(folder src tests)
      korvane_targets_of(${PROJECT_SOURCE_DIR}/${folder}/${layer} targets)
      foreach(target IN LISTS targets)
        get_target_property(libs ${target} LINK_LIBRARIES)
        if(NOT libs)
          continue()
        endif()
        foreach(lib IN LISTS libs)
          set(other ${korvane_layer_of_${lib}})
          if(other AND NOT other STREQUAL layer AND NOT other IN_LIST korvane_reach_${layer})
            message(FATAL_ERROR
              "${target} (${folder}/${layer}) links ${lib} of ${other}, which is not below ${layer}")
          endif()
        endforeach()
      endforeach()
    endforeach()
  endforeach()
endfunction()
