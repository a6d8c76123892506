# The pictures the programs carry are drawn by scripts in tools/pictures at build time and
# land in ${QV_PICTURES_DIR}, where the resource scripts pick them up.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QV_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
file(MAKE_DIRECTORY ${QV_PICTURES_DIR})

# qv_picture(<target-name> SCRIPT <script.py> OUTPUTS <file>...)
# Runs tools/pictures/<script.py> <output-dir>; the script writes the named files there.
function(qv_picture name)
  cmake_parse_arguments(P "" "SCRIPT" "OUTPUTS" ${ARGN})
  set(outs)
  foreach(o ${P_OUTPUTS})
    list(APPEND outs ${QV_PICTURES_DIR}/${o})
  endforeach()
  add_custom_command(
    OUTPUT ${outs}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/pictures/${P_SCRIPT} ${QV_PICTURES_DIR}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/pictures/${P_SCRIPT} ${PROJECT_SOURCE_DIR}/tools/pictures/pixmaps.py
    COMMENT "Drawing ${P_OUTPUTS}"
    VERBATIM)
  add_custom_target(${name} DEPENDS ${outs})
endfunction()
