# The libraries' layers, lowest first. A library's files may include its own headers and those
# of libraries on lower layers, never a header of a library on its own layer or above:
# configuration fails and names the file. Libraries on one layer know nothing of each other.
# Tests, benchmarks and fuzz targets stand outside the layers and may include anything.
set(CORVEL_LAYERS
  "src/options"
  "src/settings_folder,src/articles"
  "src/qt_boundary"
  "src/dialogs,src/articles/host"
  "src/app")

function(corvel_refuse_upward_includes)
  # Every header by name, with the library that holds it and its layer.
  set(layer 0)
  set(libraries "")
  foreach(folders IN LISTS CORVEL_LAYERS)
    string(REPLACE "," ";" folders "${folders}")
    foreach(folder IN LISTS folders)
      list(APPEND libraries ${folder})
      set("layer_of_${folder}" ${layer})
      file(GLOB headers RELATIVE ${CMAKE_SOURCE_DIR}/${folder} ${CMAKE_SOURCE_DIR}/${folder}/*.h)
      foreach(header IN LISTS headers)
        if(DEFINED "holder_of_${header}")
          message(FATAL_ERROR
            "${header} is in both ${holder_of_${header}} and ${folder}: an include cannot tell them apart")
        endif()
        set("holder_of_${header}" ${folder})
      endforeach()
    endforeach()
    math(EXPR layer "${layer} + 1")
  endforeach()

  foreach(folder IN LISTS libraries)
    file(GLOB files ${CMAKE_SOURCE_DIR}/${folder}/*.h ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
        # Headers of no library (generated ones, Qt's forms) are not layered.
        if(NOT DEFINED "holder_of_${header}")
          continue()
        endif()
        set(holder ${holder_of_${header}})
        if(NOT holder STREQUAL folder AND NOT layer_of_${holder} LESS layer_of_${folder})
          file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${file})
          string(REPLACE ";" " < " order "${CORVEL_LAYERS}")
          message(FATAL_ERROR "${name} includes \"${header}\" of ${holder}, which is not below "
                              "${folder} (layers: ${order})")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
